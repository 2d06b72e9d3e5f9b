// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIO.h"

#include "FileSizeLimit.h"
#include "FileUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST(FileIO, AReadOnlyFileIsNeverReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteWholeFile(path, "x").ok());
    EXPECT_FALSE(IsReadOnlyFile(path));
    EXPECT_FALSE(IsReadOnlyFile(dir.filePath(QStringLiteral("missing.htm"))));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_TRUE(IsReadOnlyFile(path));
    // Whoever writes, root included, and whether or not they asked first.
    const TFileResult result = WriteWholeFile(path, "replaced");
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.readOnly);
    EXPECT_EQ(ReadOnlyFileMessage(path),
              QStringLiteral("Unable to save - file ") + path + QStringLiteral(" is read-only."));
    QByteArray bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes).ok());
    EXPECT_EQ(bytes, "x");
}

namespace {

// Saves in a child process that the file-size limit kills halfway, as a
// crash would: what is left beside the page is its temporary file.
QString InterruptedSave(const QString &path)
{
    const QDir folder = QFileInfo(path).absoluteDir();
    const auto temporaryFiles = [&] {
        return folder.entryList({QStringLiteral(".~vc-*")}, QDir::Files | QDir::Hidden);
    };
    const QStringList before = temporaryFiles();
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WriteWholeFile(path, QByteArray(65536, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    for (const QString &name : temporaryFiles())
        if (!before.contains(name))
            return folder.filePath(name);
    return QString();
}

} // namespace

TEST(FileIO, TemporaryFilesThatSavesLeftAreRemovedUnlessAWriteHoldsThem)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(WriteWholeFile(page, "page").ok());
    const QString stale = InterruptedSave(page);
    ASSERT_FALSE(stale.isEmpty());
    EXPECT_TRUE(IsWriteTemporaryName(QFileInfo(stale).fileName()));
    EXPECT_FALSE(IsWriteTemporaryName(u".~vc-ab"));
    EXPECT_FALSE(IsWriteTemporaryName(u"~vc-abcdef"));

    // One that a running write holds: it locks its temporary file.
    const QString held = dir.filePath(QStringLiteral(".~vc-HELD00"));
    QFile holder(held);
    ASSERT_TRUE(holder.open(QIODevice::WriteOnly));
    ASSERT_EQ(::flock(holder.handle(), LOCK_EX), 0);

    // Saving into the folder removes the leftover and keeps the held file.
    ASSERT_TRUE(WriteWholeFile(dir.filePath(QStringLiteral("other.htm")), "other").ok());
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(held));

    // So does a listing, which never shows either.
    const QString again = InterruptedSave(page);
    ASSERT_FALSE(again.isEmpty());
    EXPECT_EQ(ListFilesByMasks(dir.path(), QStringLiteral("*")),
              QStringList({dir.filePath(QStringLiteral("other.htm")), page}));
    EXPECT_FALSE(QFileInfo::exists(again));
    EXPECT_TRUE(QFileInfo::exists(held));

    // And the start-up's clean-up of other folders, once the write is over.
    holder.close();
    RemoveStaleTemporaryFilesLater({dir.path()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(held); }));
    QByteArray bytes;
    ASSERT_TRUE(ReadWholeFile(page, bytes).ok());
    EXPECT_EQ(bytes, "page");
}
