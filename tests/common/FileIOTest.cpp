// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIO.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(FileIO, WritingReplacesTheFileWholeAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteWholeFile(path, "old content that is longer").ok());
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(WriteWholeFile(path, "new").ok());
    QByteArray bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes).ok());
    EXPECT_EQ(bytes, "new");
    struct stat info
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // No temporary file is left beside the page.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.htm")});
}

TEST(FileIO, AFailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteWholeFile(path, "the user's page").ok());
    {
        // The disk fills up halfway through the new content.
        TFileSizeLimit limit(1024);
        const TFileResult result = WriteWholeFile(path, QByteArray(8192, 'x'));
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.code, EFBIG);
    }
    QByteArray bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes).ok());
    EXPECT_EQ(bytes, "the user's page");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.htm")});
}
