// SPDX-License-Identifier: GPL-3.0-or-later
#include "DroppedFiles.h"

#include "HTMLExtensions.h"
#include "TagText.h"
#include "TfAnchor.h"
#include "TfImg.h"
#include "TfMultimedia.h"

#include <QFileInfo>

namespace {

// A start tag with one attribute: the name and "=" follow the tag case, the
// value stands as written.
QString TagWithReference(const QString &tag, const QString &attribute, const QString &value)
{
    return CaseTag(u'<' + tag + u' ' + attribute + QStringLiteral("=")) + u'"' + value + QStringLiteral("\">");
}

} // namespace

QString FileReference(const QString &documentFolder, const QString &file, bool lowerCase)
{
    const QFileInfo info(file);
    const QString name = lowerCase ? info.fileName().toLower() : info.fileName();
    return MakeRelativeFolder(documentFolder, info.absolutePath(), lowerCase) + name;
}

TTagTexts DroppedFileTag(TFileKind kind, const QString &file, const TDropOptions &options)
{
    const QString reference = FileReference(options.documentFolder, file, options.lowerCaseFiles);
    switch (kind) {
    case TFileKind::StyleSheet:
        return {CaseTag(QStringLiteral("<LINK REL=")) + QStringLiteral("\"stylesheet\" ") +
                    CaseTag(QStringLiteral("TYPE=")) + QStringLiteral("\"text/css\" ") +
                    CaseTag(QStringLiteral("HREF=")) + u'"' + reference + QStringLiteral("\">"),
                QString()};
    case TFileKind::Image:
        // The image dialog's tag, with the size measured, without the dialog.
        return {TfImg::TagForFile({options.documentFolder, options.lowerCaseFiles, false, nullptr}, file), QString()};
    case TFileKind::Sound:
    case TFileKind::Video: {
        // The multimedia dialogs' tags from their defaults and the file.
        const TTagDialogContext context{options.documentFolder, options.lowerCaseFiles, false, nullptr};
        if (options.netscapeMultimedia)
            return {TagForFile<TfEmbed>(context, file), QString()};
        if (kind == TFileKind::Sound)
            return {TagForFile<TfBGSound>(context, file), QString()};
        return {TagWithReference(QStringLiteral("IMG"), QStringLiteral("DYNSRC"), reference), QString()};
    }
    case TFileKind::Shortcut:
    case TFileKind::Other:
    case TFileKind::Document:
        break;
    }
    // Anchors are the anchor dialog's, built from its defaults and the file
    // (a shortcut's address, when it holds one).
    const QString address = kind == TFileKind::Shortcut ? ReadShortcutURL(file) : QString();
    const auto [start, end] = TfAnchor::TagForFile({options.documentFolder, options.lowerCaseFiles, false, nullptr},
                                                   address.isEmpty() ? file : address);
    return {start, end};
}
