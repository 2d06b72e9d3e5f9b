// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryCopy.h"
#include "RecoverySettings.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TRecoveryCopy SampleCopy()
{
    TRecoveryCopy copy;
    copy.fileName = QStringLiteral("/tmp/a b/\u00E9t\u00E9.html");
    copy.encoding = {TTextEncoding::Windows1252, QStringLiteral("iso-8859-2")};
    copy.lineEnds = TLineEnds::Mixed;
    copy.caret = 5;
    copy.webAddress = QStringLiteral("http://example.org/page.html");
    copy.fileTime = 1234567890123;
    copy.copied = QDateTime::fromMSecsSinceEpoch(1700000000456);
    // Line breaks of every kind and bytes that are not UTF-8 stay as they are.
    copy.text = QByteArray("a\r\nb\nc\rd\xff\x00z", 11);
    return copy;
}

int FolderCount(const QString &root)
{
    return int(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

} // namespace

TEST(RecoveryCopy, ReadsBackWhatWasWritten)
{
    const TRecoveryCopy copy = SampleCopy();
    const std::optional<TRecoveryCopy> read = ParseRecoveryCopy(RecoveryCopyBytes(copy));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->fileName, copy.fileName);
    EXPECT_EQ(read->encoding, copy.encoding);
    EXPECT_EQ(read->lineEnds, copy.lineEnds);
    EXPECT_EQ(read->caret, copy.caret);
    EXPECT_EQ(read->webAddress, copy.webAddress);
    EXPECT_EQ(read->fileTime, copy.fileTime);
    EXPECT_EQ(read->copied, copy.copied);
    EXPECT_EQ(read->text, copy.text);
}

TEST(RecoveryCopy, RefusesTornAndForeignFiles)
{
    const QByteArray bytes = RecoveryCopyBytes(SampleCopy());
    EXPECT_FALSE(ParseRecoveryCopy(bytes.chopped(1)));
    EXPECT_FALSE(ParseRecoveryCopy(bytes + 'x'));
    EXPECT_FALSE(ParseRecoveryCopy(bytes.first(bytes.indexOf('\n'))));
    EXPECT_FALSE(ParseRecoveryCopy("<html>\n</html>"));
    EXPECT_FALSE(ParseRecoveryCopy(QByteArray(bytes).replace("\"crlf\"", "\"cr\"").replace("\"mixed\"", "\"cr\"")));
}

TEST(RecoveryFolder, IsKeyedByTheProfile)
{
    const QByteArray saved = qgetenv("VELICORT_SETTINGS");
    const QString first = RecoveryFolder();
    qputenv("VELICORT_SETTINGS", saved + ".other");
    const QString second = RecoveryFolder();
    qunsetenv("VELICORT_SETTINGS");
    const QString standard = RecoveryFolder();
    qputenv("VELICORT_SETTINGS", saved);
    EXPECT_NE(first, second);
    EXPECT_EQ(first, RecoveryFolder());
    EXPECT_EQ(QFileInfo(standard).fileName(), QStringLiteral("Recovery"));
    EXPECT_EQ(QFileInfo(first).dir(), QFileInfo(standard).dir());
}

TEST(RecoveryStore, CopiesOfARunningProgramAreNotLeftBehind)
{
    QTemporaryDir root;
    TRecoveryStore store(root.path());
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.Write(QStringLiteral("doc-1"), SampleCopy()).ok());
    EXPECT_TRUE(LeftBehindCopies(root.path()).isEmpty());
    // Nor by one running with another profile.
    QTemporaryDir otherRoot;
    EXPECT_TRUE(LeftBehindCopies(otherRoot.path()).isEmpty());
    store.Remove(QStringLiteral("doc-1"));
    store.Close();
    EXPECT_EQ(FolderCount(root.path()), 0);
}

TEST(RecoveryStore, CopiesOfAProgramThatEndedWithoutClosingAreLeftBehind)
{
    QTemporaryDir root;
    TRecoveryCopy older = SampleCopy();
    older.fileName.clear();
    older.copied = older.copied.addSecs(-60);
    {
        TRecoveryStore store(root.path());
        ASSERT_TRUE(store.Open());
        ASSERT_TRUE(store.Write(QStringLiteral("doc-1"), SampleCopy()).ok());
        ASSERT_TRUE(store.Write(QStringLiteral("doc-2"), older).ok());
        // A folder with nothing to offer goes.
        TRecoveryStore empty(root.path());
        ASSERT_TRUE(empty.Open());
    }
    ASSERT_EQ(FolderCount(root.path()), 2);
    const QList<TLeftCopy> left = LeftBehindCopies(root.path());
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(FolderCount(root.path()), 1);
    EXPECT_TRUE(left[0].copy.fileName.isEmpty()); // oldest first
    EXPECT_EQ(left[1].copy.text, SampleCopy().text);

    DiscardLeftCopy(left[0].path);
    EXPECT_EQ(FolderCount(root.path()), 1);
    DiscardLeftCopy(left[1].path);
    EXPECT_EQ(FolderCount(root.path()), 0);
}

TEST(RecoveryStore, TellsWhetherTheFileOnDiskChanged)
{
    QTemporaryDir root;
    QTemporaryDir files;
    const QString unchanged = WriteTestFile(files.filePath(QStringLiteral("same.html")), "same");
    const QString changed = WriteTestFile(files.filePath(QStringLiteral("changed.html")), "old");
    const auto copyOf = [](const QString &path) {
        TRecoveryCopy copy;
        copy.fileName = path;
        copy.fileTime = QFileInfo(path).lastModified().toMSecsSinceEpoch();
        return copy;
    };
    {
        TRecoveryStore store(root.path());
        ASSERT_TRUE(store.Open());
        store.Write(QStringLiteral("a"), copyOf(unchanged));
        store.Write(QStringLiteral("b"), copyOf(changed));
        store.Write(QStringLiteral("c"), copyOf(files.filePath(QStringLiteral("gone.html"))));
        store.Write(QStringLiteral("d"), TRecoveryCopy());
    }
    QFile file(changed);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime);
    file.close();

    QMap<QString, QString> states;
    for (const TLeftCopy &left : LeftBehindCopies(root.path()))
        states[QFileInfo(left.copy.fileName).fileName()] = DiskStateText(left);
    EXPECT_EQ(states.value(QStringLiteral("same.html")), QStringLiteral("Unchanged on disk"));
    EXPECT_EQ(states.value(QStringLiteral("changed.html")), QStringLiteral("Changed on disk"));
    EXPECT_EQ(states.value(QStringLiteral("gone.html")), QStringLiteral("Missing on disk"));
    EXPECT_EQ(states.value(QString(), QStringLiteral("?")), QString());
}

TEST(RecoveryStore, FailsToOpenWhereNoFolderCanBeMade)
{
    QTemporaryDir files;
    const QString file = WriteTestFile(files.filePath(QStringLiteral("plain")), "x");
    TRecoveryStore store(file + QStringLiteral("/Recovery"));
    EXPECT_FALSE(store.Open());
    EXPECT_FALSE(store.IsOpen());
}

TEST(RecoverySettings, OptionsAndSessionReadBackAsWritten)
{
    EXPECT_EQ(ReadRecoveryOptions(), TRecoveryOptions());
    EXPECT_TRUE(ReadRecoveryOptions().Enabled);
    EXPECT_FALSE(ReadRecoveryOptions().ReopenSession);
    const TRecoveryOptions options{false, 12, true};
    WriteRecoveryOptions(options);
    EXPECT_EQ(ReadRecoveryOptions(), options);

    const TSession session{{{QStringLiteral("/a.html"), 10, 3}, {QStringLiteral("/b c.html"), 0, 0}}, 1};
    WriteSession(session);
    EXPECT_EQ(ReadSession(), session);
    // A shorter session leaves nothing of the longer one behind.
    WriteSession({{{QStringLiteral("/c.html"), 1, 2}}, 0});
    EXPECT_EQ(ReadSession().documents.size(), 1);
}
