// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServerMapping.h"

#include "Paths.h"

#include <QUrl>

std::optional<QString> MapLocalPath(const QString &path, const QString &mapFrom, const QString &mapTo)
{
    const qsizetype at = path.indexOf(mapFrom, 0, FilePathCaseSensitivity());
    if (mapFrom.isEmpty() || at < 0)
        return std::nullopt;
    return mapTo + path.mid(at + mapFrom.size());
}

std::optional<QString> LocalPathOfAddress(const QString &address, const QString &mapFrom, const QString &mapTo)
{
    if (address.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        return QUrl(address).toLocalFile();
    if (!mapTo.isEmpty() && address.startsWith(mapTo, Qt::CaseInsensitive))
        return mapFrom + QUrl::fromPercentEncoding(address.mid(mapTo.size()).toUtf8());
    return std::nullopt;
}
