// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCommands.h"

#include "HTMLExtensions.h"
#include "MessageService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString ImageMasks = QStringLiteral("*.GIF|*.JPG|*.JPEG|*.PNG|*.BMP|");

void ShowError(const QString &text)
{
    MessageDlg(text, TMsgKind::Error, TMsgButtons::Ok);
}

// True when both paths name the same file, as two spellings of one name do
// on a file system that ignores case.
bool SameFile(const QByteArray &a, const QByteArray &b)
{
    struct stat first = {};
    struct stat second = {};
    return stat(a.constData(), &first) == 0 && stat(b.constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// Renames without ever replacing another file; errno on failure.
int RenameNoReplace(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    // A change of case only, where case does not count, or a file system
    // without the no-replace rename: a plain rename, once nothing else
    // has the new name.
    const bool caseOnly = error == EEXIST && SameFile(source, target);
    if (!caseOnly && error != EINVAL && error != ENOSYS)
        return error;
    struct stat existing = {};
    if (!caseOnly && lstat(target.constData(), &existing) == 0)
        return EEXIST;
    return rename(source.constData(), target.constData()) == 0 ? 0 : errno;
}

bool IsDriveError(int error)
{
    return error == EIO || error == ENODEV || error == ENXIO || error == ENOMEDIUM || error == EROFS;
}

} // namespace

QString FileListMasks(int filter, const QStringList &htmlExtensions)
{
    QString masks;
    switch (filter) {
    case ffWebDocuments:
        masks = HTMLDocumentFilter(htmlExtensions, QStringLiteral("|"));
        break;
    case ffWebImages:
        masks = ImageMasks;
        break;
    case ffAllWebFiles:
        masks = HTMLDocumentFilter(htmlExtensions, QStringLiteral("|")) + ImageMasks +
                QStringLiteral("*.WAV|*.MID|*.MIDI|*.AIFF|*.AU|*.AVI|*.MOV|*.URL|");
        break;
    default:
        masks = QStringLiteral("*.*");
        break;
    }
    if (masks.endsWith(u'|'))
        masks.chop(1);
    return masks;
}

QString CopyTargetPath(const QString &path)
{
    const QFileInfo file(path);
    const QDir folder = file.dir();
    QString target = folder.filePath(QStringLiteral("Copy of ") + file.fileName());
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = folder.filePath(QStringLiteral("Copy (%1) of ").arg(n) + file.fileName());
    return target;
}

void CopyFilesBeside(const QStringList &paths)
{
    for (const QString &path : paths)
        if (!QFile::copy(path, CopyTargetPath(path)))
            ShowError(QStringLiteral("Unable to copy document."));
}

void MoveFilesTo(const QStringList &paths, const QString &folder)
{
    for (const QString &path : paths) {
        const QString target = QDir(folder).filePath(QFileInfo(path).fileName());
        // Within one file system the move is a rename; across file systems
        // the file is copied and the original removed only after.
        const int error = RenameNoReplace(path, target);
        bool moved = error == 0;
        if (!moved && error == EXDEV && QFile::copy(path, target)) {
            moved = QFile::remove(path);
            if (!moved)
                QFile::remove(target);
        }
        if (!moved)
            ShowError(QStringLiteral("Error moving file \"") + path + u'"');
    }
}

QString RenameFileTo(const QString &path, const QString &newName)
{
    const QFileInfo file(path);
    if (!file.dir().exists()) {
        ShowError(QStringLiteral("Drive not ready."));
        return QString();
    }
    if (newName.contains(u'/') || newName == QLatin1String(".") || newName == QLatin1String("..") ||
        newName.contains(QChar(0))) {
        ShowError(QStringLiteral("Invalid filename."));
        return QString();
    }
    const QString target = file.dir().filePath(newName);
    if (target == path)
        return path;
    const int error = RenameNoReplace(path, target);
    if (error == 0)
        return target;
    if (error == EEXIST || error == ENOTEMPTY)
        ShowError(QStringLiteral("A file with this name already exists."));
    else if (error == ENAMETOOLONG || error == EILSEQ || error == EINVAL)
        ShowError(QStringLiteral("Invalid filename."));
    else if (IsDriveError(error))
        ShowError(QStringLiteral("Drive not ready."));
    else
        ShowError(QStringLiteral("Unable to rename file (#%1).").arg(error));
    return QString();
}

bool MayDeleteFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (path.contains(u'*')) {
            MessageDlg(
                QStringLiteral("This filename contains an illegal wildcard character (*).  Operation cancelled."),
                TMsgKind::Plain, TMsgButtons::Ok);
            return false;
        }
        if (!QFileInfo(path).isFile()) {
            MessageDlg(QStringLiteral("Unable to locate file \"") + path + QStringLiteral("\".  Operation cancelled."),
                       TMsgKind::Plain, TMsgButtons::Ok);
            return false;
        }
    }
    return true;
}

bool CreateFolder(const QString &parent, const QString &path)
{
    const QString folder = QDir(parent).filePath(path.trimmed());
    const QByteArray name = QFile::encodeName(QDir::cleanPath(folder));
    if (path.trimmed().isEmpty() || mkdir(name.constData(), 0777) != 0) {
        const int error = path.trimmed().isEmpty() ? EINVAL : errno;
        if (error == ENOENT || error == ENOTDIR)
            ShowError(QStringLiteral("Invalid path."));
        else if (error == EINVAL || error == ENAMETOOLONG || error == EILSEQ)
            ShowError(QStringLiteral("Invalid directory name."));
        else if (error == EEXIST)
            MessageDlg(QStringLiteral("This directory already exists."), TMsgKind::Information, TMsgButtons::Ok);
        else
            ShowError(QStringLiteral("Unable to create directory (#%1).").arg(error));
        return false;
    }
    return true;
}
