// SPDX-License-Identifier: GPL-3.0-or-later
#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString DataFolder()
{
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QString beside = exeDir.filePath(QStringLiteral("data"));
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(exeDir.filePath(QStringLiteral("../share/velicort")));
}

QString DataFilePath(const QString &name)
{
    return QDir(DataFolder()).filePath(name);
}

bool IsAbsoluteFilePath(const QString &path)
{
    return QDir::isAbsolutePath(QDir::fromNativeSeparators(path));
}

QString ToNativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return QString(path).replace(u'/', u'\\');
#else
    return QString(path).replace(u'\\', u'/');
#endif
}

QString ToWebPath(const QString &path)
{
    return QString(path).replace(u'\\', u'/');
}

Qt::CaseSensitivity FilePathCaseSensitivity()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

bool SameFilePath(const QString &a, const QString &b)
{
    return a.compare(b, FilePathCaseSensitivity()) == 0;
}
