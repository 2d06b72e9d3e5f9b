// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include <utility>

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
    text.encoding = DetectEncoding(fileBytes);
    text.bytes = text.encoding.encoding == TTextEncoding::Utf8 ? fileBytes : DecodeWindows1252(fileBytes).toUtf8();

    qsizetype crlf = 0;
    qsizetype lone = 0;
    for (qsizetype i = text.bytes.indexOf('\n'); i >= 0; i = text.bytes.indexOf('\n', i + 1)) {
        if (i > 0 && text.bytes[i - 1] == '\r')
            ++crlf;
        else
            ++lone;
    }
    if (lone == 0)
        text.lineEnds = TLineEnds::CrLf;
    else if (crlf > 0)
        text.lineEnds = TLineEnds::Mixed;
    else
        text.lineEnds = TLineEnds::Lf;
    if (text.lineEnds == TLineEnds::Lf)
        text.bytes = CrLfLineBreaks(text.bytes);
    return text;
}

QByteArray CrLfLineBreaks(const QByteArray &bytes)
{
    QByteArray result;
    result.reserve(bytes.size() + bytes.count('\n'));
    qsizetype from = 0;
    for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        result.append(bytes.constData() + from, i - from);
        if (i == 0 || bytes[i - 1] != '\r')
            result.append('\r');
        result.append('\n');
        from = i + 1;
    }
    result.append(bytes.constData() + from, bytes.size() - from);
    return result;
}

QByteArray FileBytesFromDocument(const char *data, qsizetype length, TLineEnds lineEnds)
{
    QByteArray bytes(data, length);
    if (lineEnds == TLineEnds::Lf)
        bytes.replace("\r\n", "\n");
    if (lineEnds == TLineEnds::LfOnly)
        bytes.replace("\r\n", "\n").replace('\r', '\n');
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
