// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagText.h"

#include "IniFile.h"
#include "MessageService.h"
#include "Paths.h"
#include "TextUtils.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool g_lowerCaseTags = false;

const QString kTwoQuotes = QStringLiteral("\"\"");

// Both forms of line break become one blank each, so a tag that spans lines
// is searched, and written back, as one line.
QString JoinLines(const QString &text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

bool IsValueLead(QChar c)
{
    return c == u' ' || c == u'"' || c == u'=';
}

bool EndsUnquotedValue(QChar c)
{
    return c == u' ' || c == u'"' || c == u'>';
}

// The position of the "<" or blank that stands directly before the name, or
// -1. The name right after "<" is preferred, as the tag's own name would be.
qsizetype FindAttribute(const QString &tag, const QString &trimmedName, bool *afterBracket = nullptr)
{
    qsizetype at = tag.indexOf(u'<' + trimmedName, 0, Qt::CaseInsensitive);
    if (afterBracket)
        *afterBracket = at >= 0;
    if (at < 0)
        at = tag.indexOf(u' ' + trimmedName, 0, Qt::CaseInsensitive);
    return at;
}

// Where a value that started at start ends: the next double quote for a
// quoted value, else the next blank, quote or ">". A quoted value that is
// never closed stops before the tag's closing ">" so that an edit cannot
// swallow the bracket.
qsizetype ValueEnd(const QString &s, qsizetype start, bool quoted, bool *closed)
{
    if (quoted) {
        const qsizetype quote = s.indexOf(u'"', start);
        *closed = quote >= 0;
        if (quote >= 0)
            return quote;
        return s.endsWith(u'>') && s.size() - 1 >= start ? s.size() - 1 : s.size();
    }
    *closed = false;
    qsizetype end = start;
    while (end < s.size() && !EndsUnquotedValue(s.at(end)))
        ++end;
    return end;
}

QString CollapseBlanks(const QString &s)
{
    QString out;
    out.reserve(s.size());
    bool inQuotes = false;
    for (const QChar c : s) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (c == u' ' && !inQuotes && out.endsWith(u' '))
            continue;
        out.append(c);
    }
    return out;
}

bool LessNoCase(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

QString EnsureTrailingSlash(const QString &folder)
{
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

// A Windows drive ("c:") at the start of a path, which stays an absolute
// path here too so that references written on Windows keep working.
bool HasDriveLetter(const QString &path)
{
    return path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter();
}

} // namespace

void SetLowerCaseTags(bool lower)
{
    g_lowerCaseTags = lower;
}

bool LowerCaseTags()
{
    return g_lowerCaseTags;
}

QString CaseTag(const QString &text)
{
    return g_lowerCaseTags ? text.toLower() : text.toUpper();
}

QString GetTagAttribute(const QString &tagText, const QString &name)
{
    const QString s = JoinLines(tagText);
    const QString trimmedName = name.trimmed();
    if (trimmedName.isEmpty())
        return QString();
    const qsizetype at = FindAttribute(s, trimmedName);
    if (at < 0)
        return QString();

    qsizetype i = at + 1 + trimmedName.size();
    if (QStringView(s).mid(i, 2) == kTwoQuotes)
        return QString();
    bool quoted = false;
    while (i < s.size() && IsValueLead(s.at(i))) {
        if (s.at(i) == u'"')
            quoted = true;
        ++i;
    }
    // A value that would start on the last character is the tag's ">".
    if (i >= s.size() - 1)
        return QString();

    bool closed = false;
    const qsizetype end = ValueEnd(s, i, quoted, &closed);
    return s.mid(i, end - i);
}

void SetTagAttribute(QString &tagText, const QString &name, const QString &value)
{
    QString s = JoinLines(tagText);
    const QString trimmedName = name.trimmed();
    const bool removing = value.isEmpty() || value == kTwoQuotes;
    bool afterBracket = false;
    const qsizetype at = trimmedName.isEmpty() ? -1 : FindAttribute(s, trimmedName, &afterBracket);

    if (at < 0) {
        if (!removing && !trimmedName.isEmpty()) {
            const QString added = u' ' + trimmedName + value;
            const qsizetype bracket = s.indexOf(u'>');
            if (bracket < 0)
                s += added + u'>';
            else
                s.insert(bracket, added);
        }
        tagText = s;
        return;
    }

    qsizetype i = at + 1 + trimmedName.size();
    bool quoted = false;
    while (i < s.size() && IsValueLead(s.at(i))) {
        if (s.at(i) == u'"') {
            quoted = true;
            const QChar next = i + 1 < s.size() ? s.at(i + 1) : QChar();
            if (next == u'"') {
                ++i; // empty value: it starts and ends at the second quote
                break;
            }
            if (next == u' ') {
                s.remove(i + 1, 1);
                ++i;
                break;
            }
        }
        ++i;
    }
    qsizetype start = i;
    bool closed = false;
    qsizetype end = ValueEnd(s, start, quoted, &closed);
    if (quoted && start > 0 && s.at(start - 1) == u'"') {
        // The new value brings its own quotes, so the old ones go.
        if (closed)
            s.remove(end, 1);
        s.remove(start - 1, 1);
        --start;
        --end;
    }

    if (!removing) {
        s.replace(start, end - start, value);
    } else {
        // Keep the "<" when the name directly followed it; a blank goes with
        // the attribute.
        const qsizetype from = afterBracket ? at + 1 : at;
        s.remove(from, end - from);
        if (s.size() >= 2 && s.at(s.size() - 2) == u' ')
            s.remove(s.size() - 2, 1);
    }
    tagText = CollapseBlanks(s);
}

TTagKind ClassifyTag(const QString &tagText)
{
    struct TKindText
    {
        const char *text;
        TTagKind kind;
    };
    // Order matters: "<FRAMESET" and "<IFRAME" before "<FRAME", "<APPLET"
    // before "<A ".
    static const TKindText kinds[] = {
        {"<!--", tkComment},       {"<BODY", tkBody},
        {"<APPLET", tkApplet},     {"<A ", tkAnchor},
        {"<FONT", tkFont},         {"<BASEFONT", tkBaseFont},
        {"<IMG", tkImage},         {"<TABLE", tkTable},
        {"<TD", tkTableDataCell},  {"<TH", tkTableHeaderCell},
        {"<TR", tkTableRow},       {"<OBJECT", tkObject},
        {"<PARAM", tkParameter},   {"<BGSOUND", tkBackgroundSound},
        {"<EMBED", tkEmbed},       {"<FORM", tkForm},
        {"<FRAMESET", tkFrameset}, {"<IFRAME", tkFloatingFrame},
        {"<FRAME", tkFrame},       {"<HR", tkHorizontalRule},
        {"<SCRIPT", tkScript},     {"<META", tkMeta},
        {"<MARQUEE", tkMarquee},   {"<P ", tkParagraph},
        {"<P>", tkParagraph},
    };
    const QString head = tagText.left(10).toUpper();
    for (const TKindText &k : kinds) {
        if (head.contains(QLatin1String(k.text)))
            return k.kind;
    }
    return tkOther;
}

QStringList CollectQuotedValues(const QString &prefix, const QString &text, bool sorted)
{
    QStringList values;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(prefix, from, Qt::CaseInsensitive);
        if (at < 0)
            break;
        const qsizetype start = at + prefix.size();
        const qsizetype quote = text.indexOf(u'"', start);
        if (quote < 0)
            break;
        const QString value = text.mid(start, quote - start);
        from = quote + 1;
        if (sorted) {
            const auto place = std::lower_bound(values.begin(), values.end(), value, LessNoCase);
            if (place == values.end() || place->compare(value, Qt::CaseInsensitive) != 0)
                values.insert(place, value);
        } else {
            values.append(value);
        }
    }
    if (!sorted)
        std::stable_sort(values.begin(), values.end(), LessNoCase);
    return values;
}

std::optional<QStringList> CollectQuotedValues(const QString &prefix, const QFileInfo &file, bool sorted)
{
    QFile f(file.filePath());
    if (!f.open(QIODevice::ReadOnly)) {
        MessageDlg(QStringLiteral("Unable to open ") + file.filePath() + u'.', TMsgKind::Error, TMsgButtons::Ok);
        return std::nullopt;
    }
    return CollectQuotedValues(prefix, DecodeFileText(f.readAll()), sorted);
}

QString MakeRelativeFolder(const QString &documentFolder, const QString &targetFolder, bool lowerCase)
{
    QString doc = lowerCase ? documentFolder.toLower() : documentFolder;
    QString target = lowerCase ? targetFolder.toLower() : targetFolder;
    if (doc.isEmpty())
        return target.mid(target.indexOf(u':') + 1);
    if (target.isEmpty())
        return doc;

    doc = ToWebPath(EnsureTrailingSlash(doc));
    target = ToWebPath(EnsureTrailingSlash(target));
    if (doc == target)
        return QString();
    if (target.startsWith(doc))
        return target.mid(doc.size());

    // Whole leading folders that both share; a leading "/" counts as the
    // shared root folder, a different drive letter shares nothing.
    const QStringList docParts = doc.chopped(1).split(u'/');
    const QStringList targetParts = target.chopped(1).split(u'/');
    qsizetype shared = 0;
    qsizetype sharedLength = 0;
    while (shared < docParts.size() && shared < targetParts.size() && docParts.at(shared) == targetParts.at(shared)) {
        sharedLength += docParts.at(shared).size() + 1;
        ++shared;
    }
    if (shared == 0)
        return target.mid(target.indexOf(u':') + 1);
    return QStringLiteral("../").repeated(docParts.size() - shared) + target.mid(sharedLength);
}

QString ResolveDocumentPath(const QString &documentFile, const QString &reference)
{
    if (reference.contains(QLatin1String("://")))
        return reference;
    const QString ref = ToNativePath(reference);
    if (ref.startsWith(u'#'))
        return ToNativePath(documentFile) + ref;
    if (IsAbsoluteFilePath(ref) || HasDriveLetter(ref))
        return ref;

    const QString doc = ToWebPath(documentFile);
    const qsizetype slash = doc.lastIndexOf(u'/');
    if (slash < 0)
        return ref;

    // Segments of the document's folder; the first one is the root ("" for a
    // leading "/") or a drive and is never climbed out of.
    QStringList parts = doc.left(slash).split(u'/');
    const qsizetype root = parts.constFirst().isEmpty() || HasDriveLetter(parts.constFirst()) ? 1 : 0;
    const QStringList refParts = ToWebPath(ref).split(u'/');
    for (const QString &part : refParts) {
        if (part == QLatin1String("..")) {
            if (parts.size() > root)
                parts.removeLast();
        } else if (!part.isEmpty() && part != QLatin1String(".")) {
            parts.append(part);
        }
    }
    QString result = parts.join(u'/');
    if (result.isEmpty() || ref.endsWith(u'/'))
        result += u'/';
    return ToNativePath(result);
}

QString ReadShortcutURL(const QString &shortcutFile)
{
    if (!QFileInfo::exists(shortcutFile))
        return QString();
    const TIniFile ini(shortcutFile);
    return ini.ReadString(QStringLiteral("InternetShortcut"), QStringLiteral("URL"), QString());
}
