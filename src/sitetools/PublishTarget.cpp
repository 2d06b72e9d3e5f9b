// SPDX-License-Identifier: GPL-3.0-or-later
#include "PublishTarget.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString DestinationProblem(const QString &destination)
{
    const QUrl url(destination.trimmed(), QUrl::StrictMode);
    static const QStringList schemes = {QStringLiteral("sftp"), QStringLiteral("ftp"), QStringLiteral("ftps"),
                                        QStringLiteral("http"), QStringLiteral("https")};
    if (destination.trimmed().isEmpty())
        return QStringLiteral("No destination is set for publishing.");
    if (!url.isValid() || !schemes.contains(url.scheme().toLower()) || url.host().isEmpty())
        return QStringLiteral("The destination \"%1\" is not an sftp://, ftp://, ftps://, http:// or https:// "
                              "address of a server folder.")
            .arg(destination.trimmed());
    return QString();
}

TPublishProtocol ProtocolOf(const QUrl &destination)
{
    const QString scheme = destination.scheme().toLower();
    if (scheme == QLatin1String("sftp"))
        return TPublishProtocol::Sftp;
    if (scheme.startsWith(QLatin1String("ftp")))
        return TPublishProtocol::Ftp;
    return TPublishProtocol::WebDav;
}

std::optional<QString> RemotePathBelow(const QString &siteRoot, const QString &file)
{
    const QString path = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    if (siteRoot.trimmed().isEmpty())
        return QFileInfo(path).fileName();
    const QString root = QDir::cleanPath(QFileInfo(siteRoot.trimmed()).absoluteFilePath());
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (!path.startsWith(prefix) || path.size() == prefix.size())
        return std::nullopt;
    return path.mid(prefix.size());
}

QUrl RemoteUrl(const QUrl &destination, const QString &remotePath)
{
    QString folder = destination.toString(QUrl::FullyEncoded | QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QStringList names;
    for (const QString &name : remotePath.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        names.append(QString::fromLatin1(QUrl::toPercentEncoding(name)));
    // A folder keeps its closing "/".
    const QString tail = remotePath.endsWith(QLatin1Char('/')) && !names.isEmpty() ? QStringLiteral("/") : QString();
    return QUrl(folder + names.join(QLatin1Char('/')) + tail, QUrl::StrictMode);
}

QString TemporaryName(const QString &name)
{
    return QLatin1Char('.') + name + QStringLiteral(".part");
}

QString CommonFolder(const QStringList &files)
{
    if (files.isEmpty())
        return QString();
    QStringList common = QFileInfo(files.first()).absolutePath().split(QLatin1Char('/'));
    for (const QString &file : files) {
        const QStringList parts = QFileInfo(file).absolutePath().split(QLatin1Char('/'));
        qsizetype same = 0;
        while (same < common.size() && same < parts.size() && common[same] == parts[same])
            ++same;
        common.resize(same);
    }
    const QString folder = common.join(QLatin1Char('/'));
    return folder.isEmpty() ? QStringLiteral("/") : folder;
}
