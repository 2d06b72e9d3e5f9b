// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalBrowserLaunch.h"

#include "FileIO.h"
#include "FileUtils.h"
#include "Shell.h"

#include <QFile>
#include <QFileInfo>

QString TTempCopies::Make(const QString &folder, const QByteArray &bytes)
{
    QString path = MakeTempFileName(QStringLiteral("~vc"), folder);
    if (path.isEmpty())
        return QString();
    // The page gets the extension browsers know; rename never replaces an
    // existing file, and when it fails the copy keeps its first name.
    const QString page = path + QStringLiteral(".htm");
    if (QFile::rename(path, page))
        path = page;
    m_paths.append(path);
    if (!WriteWholeFile(path, bytes).ok())
        return QString();
    return path;
}

void TTempCopies::DeleteAll()
{
    m_paths.removeIf([](const QString &path) { return !QFileInfo::exists(path) || QFile::remove(path); });
}

bool StartExternalBrowser(const QString &location, const QString &path)
{
    return RunProgram(location, {QFileInfo(path).absoluteFilePath()});
}
