// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QThreadPool>

#include <cerrno>
#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

TFileResult FailureFromErrno(QFileDevice::FileError fallback)
{
    TFileResult result;
    result.code = errno != 0 ? errno : int(fallback);
#ifdef Q_OS_UNIX
    result.sharingViolation = errno == ETXTBSY || errno == EBUSY;
#endif
    return result;
}

constexpr QStringView TemporaryPrefix = u".~vc-";

} // namespace

bool IsReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}

QString ReadOnlyFileMessage(const QString &path)
{
    return QStringLiteral("Unable to save - file ") + path + QStringLiteral(" is read-only.");
}

bool IsWriteTemporaryName(QStringView name)
{
    return name.size() == TemporaryPrefix.size() + 6 && name.startsWith(TemporaryPrefix);
}

void RemoveStaleTemporaryFilesLater(const QStringList &folders)
{
    QThreadPool::globalInstance()->start([folders] {
        for (const QString &folder : folders)
            RemoveStaleTemporaryFiles(folder);
    });
}

#ifdef Q_OS_UNIX
// One open, one status and the reads: a search over thousands of pages reads
// them at the speed of the system's own tools.
TFileResult ReadWholeFile(const QString &path, QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FailureFromErrno(QFileDevice::OpenError);
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        return FailureFromErrno(QFileDevice::OpenError);
    if (S_ISDIR(status.st_mode))
        return TFileResult{EISDIR, false};
    if (status.st_size > MaxWholeFileBytes)
        return TFileResult{EFBIG, false};
    // Sized by the status, grown while the file grows under the read.
    QByteArray read(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype length = 0;
    for (;;) {
        if (length == read.size()) {
            if (length > MaxWholeFileBytes)
                return TFileResult{EFBIG, false};
            read.resize(read.size() * 2);
        }
        const ssize_t count = ::read(fd, read.data() + length, size_t(read.size() - length));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return FailureFromErrno(QFileDevice::ReadError);
        if (count == 0)
            break;
        length += count;
    }
    read.truncate(length);
    bytes = std::move(read);
    return {};
}
#else
TFileResult ReadWholeFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return FailureFromErrno(file.error());
    if (file.size() > MaxWholeFileBytes)
        return TFileResult{EFBIG, false};
    errno = 0;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FailureFromErrno(file.error());
    return {};
}
#endif

#ifdef Q_OS_UNIX
bool RemoveStaleTemporaryFile(const QString &path)
{
    if (!IsWriteTemporaryName(QFileInfo(path).fileName()))
        return false;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // The lock is free once the writer has ended, however it ended; the name
    // must still be the file locked.
    struct stat held
    {
    };
    struct stat named
    {
    };
    const bool stale = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
                       ::lstat(name.constData(), &named) == 0 && held.st_dev == named.st_dev &&
                       held.st_ino == named.st_ino;
    const bool removed = stale && ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

void RemoveStaleTemporaryFiles(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    QStringList found;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (IsWriteTemporaryName(name))
            found.append(folder + u'/' + name);
    }
    ::closedir(dir);
    for (const QString &path : found)
        RemoveStaleTemporaryFile(path);
}

namespace {

// A new temporary file beside the target, locked for as long as the write
// runs so that no clean-up takes it for a leftover. A clean-up that locked
// it first has removed it: then another is made. Where the file system has
// no locks, nothing is locked and nothing is ever taken for a leftover.
int MakeTemporaryFile(const QString &folder, QByteArray &name)
{
    for (;;) {
        name = QFile::encodeName(folder + u'/' + TemporaryPrefix.toString() + QStringLiteral("XXXXXX"));
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
            return fd;
        struct stat info
        {
        };
        if (::fstat(fd, &info) != 0 || info.st_nlink > 0)
            return fd;
        ::close(fd);
    }
}

} // namespace

TFileResult WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    // Write a temporary file beside the target, make sure every byte is on
    // disk, then rename it over the target. A short write (a full disk) is an
    // error here; the old file stays whole until the rename.
    if (IsReadOnlyFile(path))
        return TFileResult{EACCES, false, true};
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QString folder = QFileInfo(target).absolutePath();
    // What earlier writes left here takes room the new file may need.
    RemoveStaleTemporaryFiles(folder);
    QByteArray temporary;
    const int fd = MakeTemporaryFile(folder, temporary);
    if (fd < 0)
        return FailureFromErrno(QFileDevice::OpenError);
    bool renamed = false;
    auto cleanup = qScopeGuard([&] {
        ::close(fd);
        if (!renamed)
            ::unlink(temporary.constData());
    });

    struct stat existing
    {
    };
    const QByteArray targetName = QFile::encodeName(target);
    if (::stat(targetName.constData(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
        if (::geteuid() == 0)
            (void)::fchown(fd, existing.st_uid, existing.st_gid);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return FailureFromErrno(QFileDevice::WriteError);
        }
        data += written;
        left -= written;
    }
    if (::fsync(fd) != 0)
        return FailureFromErrno(QFileDevice::WriteError);
    if (::rename(temporary.constData(), targetName.constData()) != 0)
        return FailureFromErrno(QFileDevice::RenameError);
    renamed = true;
    // Make the rename itself durable.
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return {};
}
#else
bool RemoveStaleTemporaryFile(const QString &)
{
    return false;
}

void RemoveStaleTemporaryFiles(const QString &)
{
}

TFileResult WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    if (IsReadOnlyFile(path))
        return TFileResult{EACCES, false, true};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return TFileResult{int(file.error()), false};
    return {};
}
#endif
