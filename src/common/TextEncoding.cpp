// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEncoding.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the undefined ones stand for themselves.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr qsizetype DeclarationArea = 1024;

std::optional<char> Windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    const auto found = std::find(HighControls.begin(), HighControls.end(), c);
    if (found == HighControls.end())
        return std::nullopt;
    return char(0x80 + (found - HighControls.begin()));
}

QString DeclaredCharset(QByteArrayView bytes)
{
    // Latin-1 keeps every byte as one character.
    const QString head = QString::fromLatin1(bytes.first(std::min(bytes.size(), DeclarationArea)));
    static const QRegularExpression meta(QStringLiteral(R"(<meta\b[^>]*?\bcharset\s*=\s*["']?\s*([A-Za-z0-9._:-]+))"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression xml(QStringLiteral(R"(^\s*<\?xml\b[^>]*?\bencoding\s*=\s*["']([A-Za-z0-9._:-]+))"),
                                        QRegularExpression::CaseInsensitiveOption);
    for (const QRegularExpression *declaration : {&xml, &meta}) {
        const QRegularExpressionMatch match = declaration->match(head);
        if (match.hasMatch())
            return match.captured(1);
    }
    return QString();
}

} // namespace

qsizetype Utf8SequenceLength(QByteArrayView bytes, qsizetype at)
{
    const uchar lead = uchar(bytes[at]);
    qsizetype length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        const uchar next = uchar(bytes[at + i]);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

std::optional<TTextEncoding> EncodingOfCharset(const QString &charset)
{
    const QString name = charset.toLower();
    if (name == u"utf-8" || name == u"utf8")
        return TTextEncoding::Utf8;
    const QStringView family[] = {u"windows-1252", u"cp1252", u"iso-8859-1", u"latin1", u"us-ascii"};
    if (std::find(std::begin(family), std::end(family), name) != std::end(family))
        return TTextEncoding::Windows1252;
    return std::nullopt;
}

TDetectedEncoding DetectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {};
    const QString charset = DeclaredCharset(bytes);
    if (!charset.isEmpty()) {
        if (const std::optional<TTextEncoding> encoding = EncodingOfCharset(charset))
            return {*encoding, QString()};
        return {TTextEncoding::Windows1252, charset};
    }
    qsizetype sequences = 0;
    qsizetype invalid = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        if (uchar(bytes[at]) < 0x80) {
            ++at;
        } else if (const qsizetype length = Utf8SequenceLength(bytes, at)) {
            ++sequences;
            at += length;
        } else {
            ++invalid;
            ++at;
        }
    }
    if (invalid == 0 || sequences > invalid)
        return {};
    return {TTextEncoding::Windows1252, QString()};
}

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const uchar b = uchar(byte);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? HighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

std::optional<QByteArray> EncodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        const std::optional<char> byte = Windows1252Byte(c.unicode());
        if (!byte)
            return std::nullopt;
        *out++ = *byte;
    }
    return bytes;
}

QString DecodeText(QByteArrayView bytes, TTextEncoding encoding)
{
    return encoding == TTextEncoding::Utf8 ? QString::fromUtf8(bytes) : DecodeWindows1252(bytes);
}
