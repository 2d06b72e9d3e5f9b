// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileUtils.h"
#include "TextUtils.h"

#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Makes empty files, with their folders, named relative to the folder.
void MakeFiles(const QString &folder, const QStringList &names)
{
    for (const QString &name : names) {
        QFile file(folder + u'/' + name);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly)) << name.toStdString();
    }
}

QStringList Prefixed(const QString &folder, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths.append(folder + u'/' + name);
    return paths;
}

TEST(TextUtils, RemoveAllTextRemovesWithoutCaseUntilNoneIsLeft)
{
    EXPECT_EQ(RemoveAllText(QStringLiteral("aBcabc"), QStringLiteral("ABC")), QString());
    EXPECT_EQ(RemoveAllText(QStringLiteral("aabcbc"), QStringLiteral("abc")), QString());
    EXPECT_EQ(RemoveAllText(QStringLiteral("xABCyz"), QStringLiteral("abc")), QStringLiteral("xyz"));
    EXPECT_EQ(RemoveAllText(QStringLiteral("keep"), QString()), QStringLiteral("keep"));
}

TEST(FileUtils, MakeTempFileNameCreatesAUniqueFileWithThePrefix)
{
    QTemporaryDir dir;
    const QString first = MakeTempFileName(QStringLiteral("vcPreview"), dir.path());
    const QString second = MakeTempFileName(QStringLiteral("vcPreview"), dir.path());
    EXPECT_NE(first, second);
    for (const QString &path : {first, second}) {
        EXPECT_TRUE(QFileInfo(path).isFile());
        EXPECT_TRUE(path.startsWith(dir.path() + QStringLiteral("/vcPreview"))) << path.toStdString();
    }
    EXPECT_EQ(MakeTempFileName(QStringLiteral("vc"), dir.filePath(QStringLiteral("missing"))), QString());
}

TEST(FileUtils, LongPathOfResolvesLinksAndKeepsAMissingTail)
{
    QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    MakeFiles(root, {QStringLiteral("real/sub/page.htm")});
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/real"), root + QStringLiteral("/link")));
    EXPECT_TRUE(PathExists(root + QStringLiteral("/link/sub")));
    EXPECT_EQ(LongPathOf(root + QStringLiteral("/link/sub/")), root + QStringLiteral("/real/sub"));
    EXPECT_EQ(LongPathOf(root + QStringLiteral("/link/missing/x.htm")), root + QStringLiteral("/real/missing/x.htm"));
}

TEST(FileUtils, FormatFileTimeUsesTheDefaultLocaleAndLocalTime)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime local(QDate(2026, 12, 8), QTime(13, 5, 9), Qt::LocalTime);
    EXPECT_EQ(FormatFileTime(local.toUTC()), QStringLiteral("Tuesday, December 8, 2026 1:05:09 PM"));
    QLocale::setDefault(saved);
}

TEST(FileUtils, ListFilesByMasksListsEachMatchingFileOnce)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    MakeFiles(root, {QStringLiteral("b.html"), QStringLiteral("a.htm"), QStringLiteral("A2.HTM"),
                     QStringLiteral("apple.txt"), QStringLiteral("README"), QStringLiteral("sub/d.htm")});
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("folder.htm")));
    // Each mask in turn; a.htm matches the first and the last but is listed once.
    EXPECT_EQ(ListFilesByMasks(root, QStringLiteral("*.htm|*.html|a*")),
              Prefixed(root, {"a.htm", "A2.HTM", "b.html", "apple.txt"}));
    EXPECT_EQ(ListFilesByMasks(root, QStringLiteral("*.*")).size(), 5); // with or without an extension
    EXPECT_TRUE(ListFilesByMasks(QString(), QStringLiteral("*.htm")).isEmpty());
    EXPECT_TRUE(ListFilesByMasks(root + QStringLiteral("/missing"), QStringLiteral("*.htm")).isEmpty());
}

TEST(FileUtils, ListFilesByMasksRecursiveGoesDepthFirstAndNeverLoops)
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString root = dir.path();
    MakeFiles(root, {QStringLiteral("z.htm"), QStringLiteral("a.html"), QStringLiteral("b/1.htm"),
                     QStringLiteral("b/c/2.htm"), QStringLiteral("a_dir/3.htm"), QStringLiteral("b/skip.css")});
    MakeFiles(outside.path(), {QStringLiteral("4.htm")});
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/z.htm"), root + QStringLiteral("/f_link.htm")));
    ASSERT_TRUE(QFile::link(root, root + QStringLiteral("/b/c/up")));                        // to an ancestor
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/b"), root + QStringLiteral("/m_link"))); // to a folder listed
    ASSERT_TRUE(QFile::link(outside.path(), root + QStringLiteral("/x_outside")));           // to one not seen yet

    const QStringList expected =
        Prefixed(root, {"f_link.htm", "z.htm", "a.html", "a_dir/3.htm", "b/1.htm", "b/c/2.htm", "x_outside/4.htm"});
    EXPECT_EQ(ListFilesByMasksRecursive(root, QStringLiteral("*.htm|*.html")), expected);
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root));
    EXPECT_EQ(ListFilesByMasksRecursive(QString(), QStringLiteral("*.htm|*.html")), expected);
    QDir::setCurrent(current);
}

TEST(FileUtils, FoldersAndFilesThatCannotBeReadAreLeftOut)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    MakeFiles(root, {QStringLiteral("z.htm"), QStringLiteral("closed/1.htm"), QStringLiteral("open/2.htm")});
    TUnprivileged::MakeWorldReadable(root);
    const QString closed = root + QStringLiteral("/closed");
    ASSERT_TRUE(QFile::setPermissions(closed, QFile::Permissions()));
    {
        TUnprivileged unprivileged;
        EXPECT_FALSE(ReadFileToText(closed + QStringLiteral("/1.htm")));
        EXPECT_EQ(ReadFileToText(root + QStringLiteral("/z.htm")), QByteArray());
        EXPECT_EQ(ListFilesByMasksRecursive(root, QStringLiteral("*.htm")), Prefixed(root, {"z.htm", "open/2.htm"}));
        EXPECT_TRUE(ListFilesByMasks(closed, QStringLiteral("*.htm")).isEmpty());
    }
    QFile::setPermissions(closed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
