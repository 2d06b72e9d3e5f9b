// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"

#include "FileIO.h"
#include "SettingsStore.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <climits>

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

bool IsIniBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString TrimBlanks(const QString &s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && IsIniBlank(s.at(from)))
        ++from;
    while (to > from && IsIniBlank(s.at(to - 1)))
        --to;
    return s.mid(from, to - from);
}

// What a reader sees of a stored value: trimmed, and without one pair of
// matching quotes around it.
QString ReadableValue(const QString &stored)
{
    QString v = TrimBlanks(stored);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

bool HasLineBreak(const QString &s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TIniFile::TIniFile(const QString &fileName) : m_fileName(fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    // Invalid bytes would have become replacement characters.
    m_utf8 = QString::fromUtf8(bytes).toUtf8() == bytes;

    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype lf = bytes.indexOf('\n', from);
        QByteArray raw;
        QByteArray eol;
        if (lf < 0) {
            raw = bytes.mid(from);
            from = bytes.size();
        } else {
            const bool cr = lf > from && bytes.at(lf - 1) == '\r';
            raw = bytes.mid(from, lf - from - (cr ? 1 : 0));
            eol = cr ? kCrLf : QByteArrayLiteral("\n");
            from = lf + 1;
        }
        m_lines.append(ParseLine(raw, eol, m_lines.isEmpty()));
    }
}

TIniFile::TLine TIniFile::ParseLine(const QByteArray &raw, const QByteArray &eol, bool first) const
{
    TLine line;
    line.raw = raw;
    line.eol = eol;
    QString text;
    if (m_utf8) {
        text = QString::fromUtf8(raw);
    } else {
        QStringDecoder ansi("windows-1252");
        text = ansi.isValid() ? ansi(raw) : QString::fromLatin1(raw);
    }
    if (first && text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    const QString trimmed = TrimBlanks(text);
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.lastIndexOf(u']');
        line.kind = TLine::Section;
        line.name = TrimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1));
    } else if (!trimmed.startsWith(u';')) {
        const qsizetype equals = text.indexOf(u'=');
        if (equals >= 0) {
            line.kind = TLine::Key;
            line.name = TrimBlanks(text.left(equals));
            line.value = text.mid(equals + 1);
        }
    }
    return line;
}

TIniFile::TLine TIniFile::MakeLine(const QString &text) const
{
    QByteArray raw;
    if (m_utf8) {
        raw = text.toUtf8();
    } else {
        QStringEncoder ansi("windows-1252");
        raw = ansi.isValid() ? QByteArray(ansi(text)) : text.toLatin1();
    }
    return ParseLine(raw, kCrLf, false);
}

qsizetype TIniFile::FindSection(const QString &section, qsizetype *end) const
{
    const QString name = TrimBlanks(section);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).kind != TLine::Section || !SameName(m_lines.at(i).name, name))
            continue;
        if (end) {
            qsizetype j = i + 1;
            while (j < m_lines.size() && m_lines.at(j).kind != TLine::Section)
                ++j;
            *end = j;
        }
        return i;
    }
    return -1;
}

qsizetype TIniFile::FindKey(const QString &section, const QString &key) const
{
    qsizetype end = 0;
    const qsizetype header = FindSection(section, &end);
    if (header < 0)
        return -1;
    const QString name = TrimBlanks(key);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (m_lines.at(i).kind == TLine::Key && SameName(m_lines.at(i).name, name))
            return i;
    }
    return -1;
}

void TIniFile::InsertLines(qsizetype at, const QList<TLine> &lines)
{
    // A last line without a line end would run into the first new line.
    if (at > 0 && m_lines.at(at - 1).eol.isEmpty())
        m_lines[at - 1].eol = kCrLf;
    for (qsizetype i = 0; i < lines.size(); ++i)
        m_lines.insert(at + i, lines.at(i));
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const qsizetype i = FindKey(section, key);
    return i < 0 ? defaultValue : ReadableValue(m_lines.at(i).value);
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const std::optional<qint64> value = ParseIntegerText(ReadString(section, key, QString()));
    return value && *value >= INT_MIN && *value <= INT_MAX ? int(*value) : defaultValue;
}

bool TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString sectionName = TrimBlanks(section);
    const QString keyName = TrimBlanks(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || keyName.isEmpty() ||
        keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';'))
        return false;

    const qsizetype existing = FindKey(sectionName, keyName);
    if (existing >= 0) {
        // The key keeps the spelling it was written with.
        const TLine line = MakeLine(m_lines.at(existing).name + u'=' + value);
        if (line.raw != m_lines.at(existing).raw || line.eol != m_lines.at(existing).eol) {
            m_lines[existing] = line;
            m_modified = true;
        }
        return true;
    }

    const TLine keyLine = MakeLine(keyName + u'=' + value);
    qsizetype end = 0;
    const qsizetype header = FindSection(sectionName, &end);
    if (header < 0) {
        InsertLines(m_lines.size(), {MakeLine(u'[' + sectionName + u']'), keyLine});
    } else {
        // After the section's last line with text, so blank lines that part
        // it from the next section stay in front of that section.
        qsizetype at = end;
        while (at > header + 1 && TrimBlanks(QString::fromLatin1(m_lines.at(at - 1).raw)).isEmpty())
            --at;
        InsertLines(at, {keyLine});
    }
    m_modified = true;
    return true;
}

bool TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    const qsizetype i = FindKey(section, key);
    if (i < 0)
        return;
    m_lines.removeAt(i);
    m_modified = true;
}

void TIniFile::EraseSection(const QString &section)
{
    qsizetype end = 0;
    for (qsizetype header = FindSection(section, &end); header >= 0; header = FindSection(section, &end)) {
        m_lines.remove(header, end - header);
        m_modified = true;
    }
}

bool TIniFile::SectionExists(const QString &section) const
{
    return FindSection(section) >= 0;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return FindKey(section, key) >= 0;
}

QStringList TIniFile::Sections() const
{
    QStringList names;
    for (const TLine &line : m_lines) {
        if (line.kind == TLine::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

QStringList TIniFile::Keys(const QString &section) const
{
    QStringList names;
    qsizetype end = 0;
    const qsizetype header = FindSection(section, &end);
    if (header < 0)
        return names;
    for (qsizetype i = header + 1; i < end; ++i) {
        const TLine &line = m_lines.at(i);
        if (line.kind == TLine::Key && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

bool TIniFile::UpdateFile()
{
    if (!m_modified)
        return true;
    QByteArray bytes;
    for (const TLine &line : m_lines)
        bytes += line.raw + line.eol;
    if (!WriteWholeFile(m_fileName, bytes).ok())
        return false;
    m_modified = false;
    return true;
}
