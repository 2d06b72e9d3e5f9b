// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEncoding.h"
#include "TextUtils.h"

#include <gtest/gtest.h>

namespace {
constexpr TTextEncoding Utf8 = TTextEncoding::Utf8;
constexpr TTextEncoding Cp1252 = TTextEncoding::Windows1252;
} // namespace

TEST(TextEncoding, DetectionFollowsMarkDeclarationValidityAndMajority)
{
    struct Case
    {
        QByteArray bytes;
        TDetectedEncoding expected;
    } cases[] = {
        {"plain ascii", {Utf8, {}}},
        {"caf\xC3\xA9", {Utf8, {}}},
        {"\xEF\xBB\xBF<meta charset=\"windows-1252\">caf\xE9", {Utf8, {}}},
        // A declaration wins over the bytes.
        {"<meta charset=\"utf-8\">caf\xE9", {Utf8, {}}},
        {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">caf\xC3\xA9", {Cp1252, {}}},
        {"<meta charset='us-ascii'>", {Cp1252, {}}},
        {"<meta charset=latin1>", {Cp1252, {}}},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html>\xE9", {Utf8, {}}},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>\xC3\xA9", {Cp1252, {}}},
        // Other charsets are read as Windows-1252 and named.
        {"<meta http-equiv=\"content-type\" content=\"text/html;charset=Shift_JIS\">",
         {Cp1252, QStringLiteral("Shift_JIS")}},
        // Only the first 1024 bytes are searched.
        {QByteArray(1024, ' ') + "<meta charset=\"iso-8859-1\">caf\xC3\xA9", {Utf8, {}}},
        // More valid sequences than stray bytes: UTF-8 with the strays kept.
        {"Gr\xC3\xBC\xC3\x9F\xE9", {Utf8, {}}},
        {"Gr\xC3\xBC\xE9", {Cp1252, {}}},
        {"caf\xE9 \x93quoted\x94", {Cp1252, {}}},
        // Overlong forms and surrogates are not valid sequences.
        {"\xC0\xAF\xED\xA0\x80", {Cp1252, {}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DetectEncoding(c.bytes), c.expected) << c.bytes.constData();
}

TEST(TextEncoding, Windows1252RoundTripsEveryByteAndRefusesWhatItLacks)
{
    QByteArray every;
    for (int byte = 0; byte < 256; ++byte)
        every.append(char(byte));
    const QString text = DecodeWindows1252(every);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0x93), QChar(0x201C));
    EXPECT_EQ(text.at(0x85), QChar(0x2026));
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(text.at(undefined), QChar(undefined));
    EXPECT_EQ(EncodeWindows1252(text), every);
    EXPECT_FALSE(EncodeWindows1252(u"\u20ac \u0101"));
    EXPECT_FALSE(EncodeWindows1252(u"\U0001F600"));
}

TEST(TextEncoding, FileTextIsDecodedByTheSameRule)
{
    EXPECT_EQ(DecodeFileText("caf\xC3\xA9"), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(DecodeFileText("\x93"
                             "caf\xE9\x94"),
              QStringLiteral("\u201ccaf\u00e9\u201d"));
    // A page that declares UTF-8 stays UTF-8 despite a stray byte.
    EXPECT_EQ(DecodeFileText("<meta charset=utf-8>\xC3\xA9\xE9"), QStringLiteral("<meta charset=utf-8>\u00e9\ufffd"));
}
