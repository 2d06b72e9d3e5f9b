// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The encodings a page is read and written in, and the one rule that picks
// the encoding of a file's bytes. Every text is held as UTF-8 inside the
// program; a Windows-1252 file is decoded exactly at load and encoded back
// exactly at save (its five undefined byte values stand for the C1 controls
// of the same number), so that an unedited file keeps its bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

enum class TTextEncoding { Utf8, Windows1252 };

struct TDetectedEncoding
{
    TTextEncoding encoding = TTextEncoding::Utf8;
    // A charset the page declares that is neither UTF-8 nor of the
    // Windows-1252 family; the page is read as Windows-1252 then.
    QString otherCharset;
    bool operator==(const TDetectedEncoding &) const = default;
};

// The encoding a charset name stands for: UTF-8, or Windows-1252 for that
// family (cp1252, iso-8859-1, latin1, us-ascii); none for any other charset.
std::optional<TTextEncoding> EncodingOfCharset(const QString &charset);

// In this order: a byte-order mark; a charset declared in the first 1024
// bytes (meta charset, meta http-equiv Content-Type, XML declaration); valid
// UTF-8; more valid multi-byte UTF-8 sequences than invalid bytes (UTF-8 with
// stray bytes); else Windows-1252.
TDetectedEncoding DetectEncoding(QByteArrayView bytes);

// The length of the valid UTF-8 sequence that starts at bytes[at] (which is
// not ASCII), or 0 when none does.
qsizetype Utf8SequenceLength(QByteArrayView bytes, qsizetype at);

QString DecodeWindows1252(QByteArrayView bytes);
// None when the text holds a character Windows-1252 lacks.
std::optional<QByteArray> EncodeWindows1252(QStringView text);

// The text of bytes in an encoding; invalid UTF-8 becomes replacement
// characters.
QString DecodeText(QByteArrayView bytes, TTextEncoding encoding);
