// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

#include <cerrno>
#ifdef Q_OS_UNIX
#include <fcntl.h>
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

} // namespace

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

#ifdef Q_OS_UNIX
TFileResult WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    // Write a temporary file beside the target, make sure every byte is on
    // disk, then rename it over the target. A short write (a full disk) is an
    // error here; the old file stays whole until the rename.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    QByteArray temporary = QFile::encodeName(QFileInfo(target).absolutePath() + QStringLiteral("/.~vc-XXXXXX"));
    const int fd = ::mkstemp(temporary.data());
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
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}
#else
TFileResult WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return TFileResult{int(file.error()), false};
    return {};
}
#endif
