// SPDX-License-Identifier: GPL-3.0-or-later
// The real program is given edits through its test hook, killed, and what it
// left is recovered by a fresh start of the recovery controller.

#include "RecoveryController.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "TfRecoverWork.h"
#include "TvqHTMLTab.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QByteArray Windows1252Page("caf\xe9 <b>x</b>\r\nline2\r\n");
const QByteArray Utf8Page("<p>utf8 \xc3\xa9</p>\nline2\n");

// A profile of its own with a data folder of its own, in which the program
// runs the given edits.
class TChild
{
public:
    explicit TChild(const QJsonArray &edits)
    {
        const QString profile = m_dir.filePath(QStringLiteral("Velicort.conf"));
        const QByteArray saved = qgetenv("VELICORT_SETTINGS");
        qputenv("VELICORT_SETTINGS", profile.toLocal8Bit());
        {
            // No first-run question, tip or splash stands in the way.
            const TSettingsBatch batch;
            WriteRegValue(RegistryKeys::Velicort, QStringLiteral("FirstRun"), QStringLiteral("0"));
            WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ShowTips"), false);
            WriteRegValue(RegistryKeys::Velicort, QStringLiteral("ShowSplash"), false);
            WriteRegValue(RegistryKeys::Velicort, QStringLiteral("RecoveryDelay"), 1);
        }
        m_rootName = QFileInfo(RecoveryFolder()).fileName();
        qputenv("VELICORT_SETTINGS", saved);

        const QString script =
            WriteTestFile(m_dir.filePath(QStringLiteral("edits.json")), QJsonDocument(edits).toJson());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VELICORT_SETTINGS"), profile);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("VELICORT_TEST_EDITS"), script);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(VELICORT_PROGRAM), {});
    }
    ~TChild()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The recovery folder of the profile, as the program found it.
    QString Root() const { return m_dir.filePath(QStringLiteral("data/Velicort/Velicort/")) + m_rootName; }
    // The copies written so far, whole ones only.
    QList<TRecoveryCopy> Copies() const
    {
        QList<TRecoveryCopy> copies;
        QDirIterator it(Root(), {QStringLiteral("*.vrc")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QByteArray bytes;
            if (ReadWholeFile(it.next(), bytes).ok())
                if (const std::optional<TRecoveryCopy> copy = ParseRecoveryCopy(bytes))
                    copies.append(*copy);
        }
        return copies;
    }
    bool WaitForCopies(const std::function<bool(const QList<TRecoveryCopy> &)> &done) const
    {
        return QTest::qWaitFor([&] { return done(Copies()); }, 30000);
    }
    void Kill()
    {
        m_process.kill(); // SIGKILL: nothing runs at exit
        m_process.waitForFinished();
    }
    QProcess &Process() { return m_process; }
    QString FilePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_rootName;
    QProcess m_process;
};

QJsonObject Step(const char *name, const QJsonValue &value)
{
    return {{QLatin1String(name), value}};
}

} // namespace

TEST(CrashRecovery, EveryEditOfAKilledProgramComesBack)
{
    QTemporaryDir files;
    const QString windows1252 = WriteTestFile(files.filePath(QStringLiteral("w1252.html")), Windows1252Page);
    const QString utf8 = WriteTestFile(files.filePath(QStringLiteral("utf8.html")), Utf8Page);
    TChild child({Step("open", windows1252), Step("insert", QStringLiteral("\u20AC-edit ")), Step("new", true),
                  Step("insert", QStringLiteral("untitled text\r\nmore")), Step("open", utf8),
                  Step("insert", QStringLiteral("\u00FC"))});
    ASSERT_TRUE(child.WaitForCopies([](const QList<TRecoveryCopy> &copies) {
        return copies.size() == 3 && std::all_of(copies.begin(), copies.end(), [](const TRecoveryCopy &copy) {
                   return copy.text.contains("\xe2\x82\xac-edit") || copy.text.contains("more") ||
                          copy.text.startsWith("\xc3\xbc");
               });
    })) << child.Process().readAll().toStdString();
    child.Kill();

    // The next start.
    QWidget window;
    auto *documents = new TvqHTMLTab(&window);
    TRecoveryController controller(
        documents, child.Root(), [](const QStringList &) {}, &window);
    controller.Start();
    TfRecoverWork *recover = controller.RecoverWindow();
    ASSERT_TRUE(recover);
    ASSERT_EQ(recover->RowCount(), 3);
    while (recover->RowCount() > 0)
        recover->RestoreSelected();

    QMap<QString, QByteArray> restored;
    for (int i = 0; i < documents->DocumentCount(); ++i) {
        const TvqRichHTML *editor = documents->Editor(i);
        EXPECT_TRUE(editor->Modified());
        restored[editor->Filename()] = editor->FileBytes(editor->LineEnds()).value_or("?");
    }
    ASSERT_EQ(restored.size(), 3);
    EXPECT_EQ(restored.value(windows1252), "\x80-edit " + Windows1252Page);
    EXPECT_EQ(restored.value(utf8), "\xc3\xbc" + Utf8Page);
    EXPECT_EQ(restored.value(QString()), FileBytesFromDocument("untitled text\r\nmore", 19, SystemLineEnds()));
    // Nothing was written to the files.
    QByteArray bytes;
    ASSERT_TRUE(ReadWholeFile(windows1252, bytes).ok());
    EXPECT_EQ(bytes, Windows1252Page);
    ASSERT_TRUE(ReadWholeFile(utf8, bytes).ok());
    EXPECT_EQ(bytes, Utf8Page);
}

TEST(CrashRecovery, ACleanExitLeavesNoCopy)
{
    TChild child({Step("insert", QStringLiteral("typed")), Step("exitAfter", 2500)});
    ASSERT_TRUE(child.WaitForCopies([](const QList<TRecoveryCopy> &copies) { return copies.size() == 1; }))
        << child.Process().readAll().toStdString();
    ASSERT_TRUE(child.Process().waitForFinished(30000));
    EXPECT_EQ(child.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(QDir(child.Root()).isEmpty());
}

TEST(CrashRecovery, TwoProfilesRunSideBySideWithCopiesOfTheirOwn)
{
    TChild first({Step("insert", QStringLiteral("first"))});
    TChild second({Step("insert", QStringLiteral("second"))});
    const auto one = [](const QList<TRecoveryCopy> &copies) { return copies.size() == 1; };
    // The second did not hand over to the first and end.
    ASSERT_TRUE(first.WaitForCopies(one));
    ASSERT_TRUE(second.WaitForCopies(one));
    EXPECT_NE(first.Root(), second.Root());
    EXPECT_EQ(second.Copies().first().text, "second");

    first.Kill();
    const QList<TLeftCopy> left = LeftBehindCopies(first.Root());
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first().copy.text, "first");
    // The second still runs: its copies are its own.
    EXPECT_TRUE(LeftBehindCopies(second.Root()).isEmpty());
}
