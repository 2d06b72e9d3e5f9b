// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>

namespace {

bool IsValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
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

TFileResult WriteDocumentFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return FailureFromErrno(file.error());
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const TFileResult failure = FailureFromErrno(file.error());
        file.cancelWriting();
        return failure;
    }
    errno = 0;
    if (!file.commit())
        return FailureFromErrno(file.error());
    return {};
}

bool IsReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    return !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
}
