// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringDecoder>

#include <cerrno>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <utility>

namespace {

bool IsValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

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

TLineEnds SystemLineEnds()
{
#ifdef Q_OS_WIN
    return TLineEnds::CrLf;
#else
    return TLineEnds::Lf;
#endif
}

TDocumentText DocumentTextFromFile(const QByteArray &fileBytes)
{
    TDocumentText text;
    text.utf8 = fileBytes.startsWith("\xEF\xBB\xBF") || IsValidUtf8(fileBytes);

    qsizetype crlf = 0;
    qsizetype lone = 0;
    for (qsizetype i = fileBytes.indexOf('\n'); i >= 0; i = fileBytes.indexOf('\n', i + 1)) {
        if (i > 0 && fileBytes[i - 1] == '\r')
            ++crlf;
        else
            ++lone;
    }
    if (lone == 0) {
        text.bytes = fileBytes;
        text.lineEnds = TLineEnds::CrLf;
        return text;
    }
    text.lineEnds = lone >= crlf ? TLineEnds::Lf : TLineEnds::CrLf;
    text.bytes.reserve(fileBytes.size() + lone);
    qsizetype from = 0;
    for (qsizetype i = fileBytes.indexOf('\n'); i >= 0; i = fileBytes.indexOf('\n', i + 1)) {
        text.bytes.append(fileBytes.constData() + from, i - from);
        if (i == 0 || fileBytes[i - 1] != '\r')
            text.bytes.append('\r');
        text.bytes.append('\n');
        from = i + 1;
    }
    text.bytes.append(fileBytes.constData() + from, fileBytes.size() - from);
    return text;
}

QByteArray FileBytesFromDocument(const char *data, qsizetype length, TLineEnds lineEnds)
{
    QByteArray bytes(data, length);
    if (lineEnds == TLineEnds::Lf)
        bytes.replace("\r\n", "\n");
    return bytes;
}

TFileResult ReadDocumentFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return FailureFromErrno(file.error());
    if (file.size() > MaxDocumentBytes)
        return TFileResult{EFBIG, false};
    errno = 0;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FailureFromErrno(file.error());
    return {};
}

#ifdef Q_OS_UNIX
TFileResult WriteDocumentFile(const QString &path, const QByteArray &bytes)
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

    struct stat existing {};
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
TFileResult WriteDocumentFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return TFileResult{int(file.error()), false};
    return {};
}
#endif

namespace {
TDocumentFileWriter g_writer = &WriteDocumentFile;
}

TDocumentFileWriter SetDocumentFileWriter(TDocumentFileWriter writer)
{
    return std::exchange(g_writer, writer);
}

TFileResult SaveDocumentFile(const QString &path, const QByteArray &bytes)
{
    return g_writer(path, bytes);
}

bool IsReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}
