// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

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
        {"a\nb\nc\r\n", "a\r\nb\r\nc\r\n", TLineEnds::Lf},
        {"a\r\nb\r\nc\n", "a\r\nb\r\nc\r\n", TLineEnds::CrLf},
    };
    for (const Case &c : cases) {
        const TDocumentText text = DocumentTextFromFile(c.file);
        EXPECT_EQ(text.bytes, c.held) << c.file.constData();
        EXPECT_EQ(text.lineEnds, c.form) << c.file.constData();
    }
    // Consistent files come back byte for byte.
    for (const QByteArray &file : {QByteArray("a\r\nb"), QByteArray("a\nb\n")}) {
        const TDocumentText text = DocumentTextFromFile(file);
        EXPECT_EQ(FileBytesFromDocument(text.bytes.constData(), text.bytes.size(), text.lineEnds), file);
    }
}

TEST(DocumentFile, DetectsUtf8AndKeepsEveryOtherByte)
{
    EXPECT_TRUE(DocumentTextFromFile("caf\xC3\xA9").utf8);
    EXPECT_TRUE(DocumentTextFromFile("plain ascii").utf8);
    EXPECT_TRUE(DocumentTextFromFile("\xEF\xBB\xBFwith mark").utf8);
    QByteArray cp1252("caf\xE9 \x80 \x93quoted\x94");
    cp1252.append('\0');
    cp1252.append("after nul");
    const TDocumentText text = DocumentTextFromFile(cp1252);
    EXPECT_FALSE(text.utf8);
    EXPECT_EQ(text.bytes, cp1252);
}

TEST(DocumentFile, ReadOnlyMeansNoWritePermissionForTheOwner)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteWholeFile(path, "x").ok());
    EXPECT_FALSE(IsReadOnlyFile(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_TRUE(IsReadOnlyFile(path));
    EXPECT_FALSE(IsReadOnlyFile(dir.filePath(QStringLiteral("missing.htm"))));
}
