// SPDX-License-Identifier: GPL-3.0-or-later
#include "HTMLExtensions.h"

#include "SettingsStore.h"

#include <QFileInfo>

namespace {

const QString ExtensionsKey = QStringLiteral("Software\\Velicort\\HTMLExtensions");
constexpr int MaxExtensions = 15;

QString ExtensionValue(int number)
{
    return QStringLiteral("Extension%1").arg(number);
}

QString BothCases(const QString &pattern)
{
    return pattern.toLower() + u' ' + pattern.toUpper();
}

} // namespace

QStringList LoadHTMLExtensions()
{
    QStringList extensions;
    for (int n = 1; n <= MaxExtensions; ++n) {
        const QString value = ReadRegValue(ExtensionsKey, ExtensionValue(n), QString());
        if (value.isEmpty())
            break;
        extensions.append(value);
    }
    if (extensions.isEmpty())
        extensions = {"HTML", "HTM", "SHTM", "SHTML", "CSS", "ASP", "ASA", "CFM"};
    return extensions;
}

void SaveHTMLExtensions(const QStringList &extensions)
{
    EraseRegKey(ExtensionsKey);
    for (int i = 0; i < extensions.size(); ++i)
        WriteRegValue(ExtensionsKey, ExtensionValue(i + 1), extensions.at(i));
}

TFileKind FileKindOf(const QString &path, const QStringList &htmlExtensions)
{
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension.isEmpty())
        return TFileKind::Other;
    if (extension == QLatin1String("CSS"))
        return TFileKind::StyleSheet;
    static const QStringList images = {"GIF", "BMP", "JPG", "JPEG", "PNG"};
    static const QStringList sounds = {"WAV", "MID", "AU", "AIFF"};
    static const QStringList videos = {"AVI", "MOV"};
    if (images.contains(extension))
        return TFileKind::Image;
    if (sounds.contains(extension))
        return TFileKind::Sound;
    if (videos.contains(extension))
        return TFileKind::Video;
    if (extension == QLatin1String("URL"))
        return TFileKind::Shortcut;
    if (IsHTMLDocument(path, htmlExtensions))
        return TFileKind::Document;
    return TFileKind::Other;
}

bool IsHTMLDocument(const QString &path, const QStringList &extensions)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && extensions.contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

QString HTMLDocumentFilter(const QStringList &extensions, const QString &separator)
{
    QString filter;
    for (const QString &extension : extensions)
        filter += QStringLiteral("*.") + extension + separator;
    return filter;
}

QString HTMLDialogFilter(const QStringList &extensions)
{
    QStringList patterns;
    for (const QString &extension : extensions)
        patterns.append(BothCases(QStringLiteral("*.") + extension));
    return QStringLiteral("HTML Documents (") + patterns.join(u' ') + u')';
}

QString FileDialogFilter(const QStringList &extensions)
{
    return HTMLDialogFilter(extensions) + QStringLiteral(";;") + QStringLiteral("Text Files (") +
           BothCases(QStringLiteral("*.txt")) + QStringLiteral(");;") + QStringLiteral("Style Sheets (") +
           BothCases(QStringLiteral("*.css")) + QStringLiteral(");;") + QStringLiteral("All Files (*)");
}
