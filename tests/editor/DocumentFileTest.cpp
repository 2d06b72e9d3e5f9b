// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FileSizeLimit.h"

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
    for (const QByteArray file : {QByteArray("a\r\nb"), QByteArray("a\nb\n")}) {
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

TEST(DocumentFile, WritingReplacesTheFileWholeAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteDocumentFile(path, "old content that is longer").ok());
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(WriteDocumentFile(path, "new").ok());
    QByteArray bytes;
    ASSERT_TRUE(ReadDocumentFile(path, bytes).ok());
    EXPECT_EQ(bytes, "new");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // No temporary file is left beside the page.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.htm")});
}

TEST(DocumentFile, AFailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteDocumentFile(path, "the user's page").ok());
    {
        // The disk fills up halfway through the new content.
        TFileSizeLimit limit(1024);
        const TFileResult result = WriteDocumentFile(path, QByteArray(8192, 'x'));
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.code, EFBIG);
    }
    QByteArray bytes;
    ASSERT_TRUE(ReadDocumentFile(path, bytes).ok());
    EXPECT_EQ(bytes, "the user's page");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.htm")});
}

TEST(DocumentFile, ReadOnlyMeansNoWritePermissionForTheOwner)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteDocumentFile(path, "x").ok());
    EXPECT_FALSE(IsReadOnlyFile(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_TRUE(IsReadOnlyFile(path));
    EXPECT_FALSE(IsReadOnlyFile(dir.filePath(QStringLiteral("missing.htm"))));
}
