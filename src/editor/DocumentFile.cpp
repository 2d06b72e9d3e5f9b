// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <utility>

namespace {

bool IsValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
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

namespace {
TDocumentFileWriter g_writer = &WriteWholeFile;
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
