// SPDX-License-Identifier: GPL-3.0-or-later
#include "DroppedFiles.h"

#include "HTMLExtensions.h"
#include "TagText.h"

#include <QFileInfo>

namespace {

// A start tag with one attribute: the name and "=" follow the tag case, the
// value stands as written.
QString TagWithReference(const QString &tag, const QString &attribute, const QString &value)
{
    return CaseTag(u'<' + tag + u' ' + attribute + QStringLiteral("=")) + u'"' + value + QStringLiteral("\">");
}

} // namespace

TDroppedKind DroppedFileKind(const QString &path, const QStringList &htmlExtensions)
{
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension.isEmpty())
        return TDroppedKind::Other;
    if (extension == QLatin1String("CSS"))
        return TDroppedKind::StyleSheet;
    static const QStringList images = {"GIF", "BMP", "JPG", "JPEG", "PNG"};
    static const QStringList sounds = {"WAV", "MID", "AU", "AIFF"};
    static const QStringList videos = {"AVI", "MOV"};
    if (images.contains(extension))
        return TDroppedKind::Image;
    if (sounds.contains(extension))
        return TDroppedKind::Sound;
    if (videos.contains(extension))
        return TDroppedKind::Video;
    if (extension == QLatin1String("URL"))
        return TDroppedKind::Shortcut;
    if (IsHTMLDocument(path, htmlExtensions))
        return TDroppedKind::Document;
    return TDroppedKind::Other;
}

QString FileReference(const QString &documentFolder, const QString &file, bool lowerCase)
{
    const QFileInfo info(file);
    const QString name = lowerCase ? info.fileName().toLower() : info.fileName();
    return MakeRelativeFolder(documentFolder, info.absolutePath(), lowerCase) + name;
}

TTagTexts DroppedFileTag(TDroppedKind kind, const QString &file, const TDropOptions &options)
{
    const QString reference = FileReference(options.documentFolder, file, options.lowerCaseFiles);
    switch (kind) {
    case TDroppedKind::StyleSheet:
        return {CaseTag(QStringLiteral("<LINK REL=")) + QStringLiteral("\"stylesheet\" ") +
                    CaseTag(QStringLiteral("TYPE=")) + QStringLiteral("\"text/css\" ") +
                    CaseTag(QStringLiteral("HREF=")) + u'"' + reference + QStringLiteral("\">"),
                QString()};
    case TDroppedKind::Image:
        return {TagWithReference(QStringLiteral("IMG"), QStringLiteral("SRC"), reference), QString()};
    case TDroppedKind::Sound:
        return {options.netscapeMultimedia
                    ? TagWithReference(QStringLiteral("EMBED"), QStringLiteral("SRC"), reference)
                    : TagWithReference(QStringLiteral("BGSOUND"), QStringLiteral("SRC"), reference),
                QString()};
    case TDroppedKind::Video:
        return {options.netscapeMultimedia
                    ? TagWithReference(QStringLiteral("EMBED"), QStringLiteral("SRC"), reference)
                    : TagWithReference(QStringLiteral("IMG"), QStringLiteral("DYNSRC"), reference),
                QString()};
    case TDroppedKind::Shortcut: {
        const QString address = ReadShortcutURL(file);
        return {TagWithReference(QStringLiteral("A"), QStringLiteral("HREF"), address.isEmpty() ? reference : address),
                CaseTag(QStringLiteral("</A>"))};
    }
    case TDroppedKind::Other:
    case TDroppedKind::Document:
        break;
    }
    return {TagWithReference(QStringLiteral("A"), QStringLiteral("HREF"), reference), CaseTag(QStringLiteral("</A>"))};
}
