// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include <gtest/gtest.h>

TEST(DocumentFile, LineEndsAreHeldAsCrLfAndWrittenBackInTheirForm)
{
    struct Case
    {
        QByteArray file;
        QByteArray held;
        TLineEnds form;
    } cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n", TLineEnds::CrLf},
        {"a\nb\n", "a\r\nb\r\n", TLineEnds::Lf},
        {"\n\n", "\r\n\r\n", TLineEnds::Lf},
        {"no break", "no break", TLineEnds::CrLf},
        // Both forms: the bytes are kept as they are.
        {"a\nb\nc\r\n", "a\nb\nc\r\n", TLineEnds::Mixed},
        {"a\r\nb\r\nc\n", "a\r\nb\r\nc\n", TLineEnds::Mixed},
    };
    for (const Case &c : cases) {
        const TDocumentText text = DocumentTextFromFile(c.file);
        EXPECT_EQ(text.bytes, c.held) << c.file.constData();
        EXPECT_EQ(text.lineEnds, c.form) << c.file.constData();
        EXPECT_EQ(FileBytesFromDocument(text.bytes.constData(), text.bytes.size(), text.lineEnds), c.file)
            << c.file.constData();
    }
    EXPECT_EQ(CrLfLineBreaks("a\nb\r\n\n"), "a\r\nb\r\n\r\n");
}

TEST(DocumentFile, Windows1252IsHeldDecodedAndUtf8KeepsItsStrayBytes)
{
    QByteArray cp1252("caf\xE9 ");
    for (int byte = 0x80; byte <= 0x9F; ++byte)
        cp1252.append(char(byte));
    cp1252.append('\0');
    const TDocumentText text = DocumentTextFromFile(cp1252);
    EXPECT_EQ(text.encoding.encoding, TTextEncoding::Windows1252);
    const QString held = QString::fromUtf8(text.bytes);
    EXPECT_TRUE(held.startsWith(QStringLiteral("caf\u00e9 \u20ac\u0081\u201a")));
    EXPECT_EQ(EncodeWindows1252(held), cp1252);

    const QByteArray stray("Gr\xC3\xBC\xC3\x9F\xE9 \xE2\x82\xAC");
    const TDocumentText utf8 = DocumentTextFromFile(stray);
    EXPECT_EQ(utf8.encoding.encoding, TTextEncoding::Utf8);
    EXPECT_EQ(utf8.bytes, stray);
}
