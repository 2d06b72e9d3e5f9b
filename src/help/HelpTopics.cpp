// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpTopics.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

bool THelpTopics::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    m_folder = QFileInfo(path).absolutePath();
    m_lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    return true;
}

QString THelpTopics::PageFor(const QString &key) const
{
    if (m_lines.isEmpty())
        return {};
    const QDir folder(m_folder);
    if (key.compare(QLatin1String("RESOURCES"), Qt::CaseInsensitive) == 0)
        return folder.filePath(QStringLiteral("resources.htm"));
    for (const QString &line : m_lines) {
        const qsizetype comma = line.indexOf(u',');
        if (comma >= 0 && line.left(comma).compare(key, Qt::CaseInsensitive) == 0)
            return folder.filePath(line.mid(comma + 1).trimmed());
    }
    return folder.filePath(QStringLiteral("qr-main.htm"));
}

QString TagKeyAt(std::string_view text, qsizetype caret)
{
    caret = std::clamp<qsizetype>(caret, 0, qsizetype(text.size()));
    const size_t open = text.find_last_of("<>", caret > 0 ? size_t(caret - 1) : std::string_view::npos);
    if (caret == 0 || open == std::string_view::npos || text[open] == '>')
        return {};
    const size_t end = text.find_first_of(" \t\r\n>", open);
    QString key = QString::fromUtf8(text.substr(open, end == std::string_view::npos ? end : end - open));
    if (key.startsWith(QLatin1String("</")))
        key.remove(1, 1);
    return key;
}

QString ExternalHelpKeyword(const QString &helpFile, const QString &key)
{
    const QString name = QFileInfo(helpFile).fileName().toLower();
    if (key.startsWith(u'<') && (name == QLatin1String("htmlref.hlp") || name == QLatin1String("wilbur.hlp")))
        return key.mid(1);
    return key;
}

QString HTMLReferenceFolder()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("HTMLHelp"));
    return QFileInfo(beside).isDir() ? beside : DataFilePath(QStringLiteral("HTMLHelp"));
}
