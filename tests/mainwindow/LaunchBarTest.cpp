// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's launch bar and custom menu buttons: starting a program
// with the current document, and what the custom items put into it.

#include "TfMain.h"

#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TAppBarCommands.h"
#include "TCustomMenuCommands.h"
#include "TagText.h"
#include "TestFiles.h"
#include "TfAppBarCustomize.h"
#include "TvqAppBar.h"
#include "TvqAppButton.h"
#include "TvqHTMLTab.h"
#include "TvqListButton.h"
#include "TvqListMenuItem.h"
#include "WhenShown.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString AppBarKey = QStringLiteral("Software\\Velicort\\AppBar1");

class LaunchBar : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }
    void TearDown() override { SetLowerCaseTags(false); }

    TvqRichHTML *Editor() const { return m_window.ActiveEditor(); }
    TvqAppBar *Bar() const { return m_window.findChild<TvqAppBar *>(QStringLiteral("vqAppBar1")); }

    // The recorder on the bar's first button with the command line; its
    // arguments go to a file of their own for each start.
    void PutRecorderOnTheBar(const QString &commandLine)
    {
        WriteRegValue(AppBarKey, QStringLiteral("Button0_AppName"), QStringLiteral("Recorder"));
        WriteRegValue(AppBarKey, QStringLiteral("Button0_AppFilename"), QStringLiteral(RECORD_ARGUMENTS));
        WriteRegValue(AppBarKey, QStringLiteral("Button0_CommandLine"), commandLine);
        m_window.AppBar()->Load();
    }
    // Clicks the button; the recorder, when it starts, writes to the
    // returned file.
    QString Launch()
    {
        const QString record = m_dir.filePath(QStringLiteral("arguments%1").arg(++m_launches));
        qputenv("VELICORT_RECORD_ARGUMENTS", QFile::encodeName(record));
        Bar()->Slot(0)->click();
        return record;
    }
    static QStringList RecordedArguments(const QString &record)
    {
        if (!QTest::qWaitFor([&] { return QFile::exists(record); }, 10000))
            return {QStringLiteral("(not started)")};
        QFile file(record);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList arguments;
        for (const QByteArray &argument : file.readAll().split('\0'))
            arguments.append(QFile::decodeName(argument));
        arguments.removeLast(); // after the last NUL
        return arguments;
    }
    QString OpenPage(const QString &name)
    {
        const QString path = WriteTestFile(m_dir.filePath(name), "<P>page</P>");
        m_window.OpenDocuments(path, 0);
        return Editor()->Filename();
    }

    QTemporaryDir m_dir;
    TfMain m_window;
    int m_launches = 0;
};

TEST_F(LaunchBar, TheProgramGetsTheCurrentFileAsOneArgument)
{
    const QString page = OpenPage(QStringLiteral("it's \"my\" page; rm -f x $(id).htm"));
    ASSERT_TRUE(page.endsWith(QLatin1String("; rm -f x $(id).htm")));
    PutRecorderOnTheBar(QStringLiteral("--first %current% \"--second=%CURRENT%\" plain"));
    EXPECT_EQ(Bar()->Slot(0)->toolTip(), QStringLiteral("Recorder"));
    EXPECT_EQ(RecordedArguments(Launch()), (QStringList{"--first", page, QStringLiteral("--second=") + page, "plain"}));
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(LaunchBar, AModifiedDocumentIsAskedAboutFirst)
{
    const QString page = OpenPage(QStringLiteral("page.htm"));
    PutRecorderOnTheBar(QStringLiteral("%CURRENT%"));
    Editor()->InsertTag(QStringLiteral("<B>"), QString(), false);

    Scripted().answers = {TMsgResult::Cancel, TMsgResult::No, TMsgResult::Yes};
    const QString cancelled = Launch();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Save changes to ") + page + u'?');
    EXPECT_EQ(Scripted().messages[0].buttons, TMsgButtons::YesNoCancel);

    EXPECT_EQ(RecordedArguments(Launch()), QStringList{page});
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_TRUE(Editor()->Modified());

    EXPECT_EQ(RecordedArguments(Launch()), QStringList{page});
    EXPECT_FALSE(Editor()->Modified());
    QFile saved(page);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("<B>"));

    // A command line without the token starts at once.
    Editor()->InsertTag(QStringLiteral("<I>"), QString(), false);
    Scripted().Reset();
    PutRecorderOnTheBar(QStringLiteral("--new-window"));
    EXPECT_EQ(RecordedArguments(Launch()), QStringList{"--new-window"});
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST_F(LaunchBar, AnUntitledDocumentGivesNoFileName)
{
    PutRecorderOnTheBar(QStringLiteral("-a %CURRENT% \"%CURRENT%\""));
    EXPECT_EQ(RecordedArguments(Launch()), (QStringList{"-a", ""}));
}

TEST_F(LaunchBar, AnEmptyCommandLineOpensTheFile)
{
    Editor()->InsertTag(QStringLiteral("<B>"), QString(), false);
    WriteRegValue(AppBarKey, QStringLiteral("Button0_AppName"), QStringLiteral("Help"));
    WriteRegValue(AppBarKey, QStringLiteral("Button0_AppFilename"), m_dir.filePath(QStringLiteral("gone.htm")));
    m_window.AppBar()->Load();
    Bar()->Slot(0)->click();
    // Opened by the desktop, which reports the missing file; no question.
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("File not found"));
}

TEST_F(LaunchBar, TheStartWaitsForALongRun)
{
    OpenPage(QStringLiteral("page.htm"));
    PutRecorderOnTheBar(QStringLiteral("%CURRENT%"));
    Editor()->InsertTag(QStringLiteral("<B>"), QString(), false);
    Scripted().answers = {TMsgResult::No};
    QString record;
    {
        const TLongRun run;
        record = Launch();
        EXPECT_TRUE(Scripted().messages.isEmpty());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(RecordedArguments(record).size(), 1);
}

TEST_F(LaunchBar, TheConfigureButtonOpensTheDialog)
{
    auto *configure = m_window.findChild<QAbstractButton *>(QStringLiteral("spdCustomizeAppBar"));
    ASSERT_TRUE(configure->isEnabled());
    m_window.AppBar()->Load();
    Scripted().fileNames = {QStringLiteral(RECORD_ARGUMENTS)};
    WhenShown<TfAppBarCustomize>([](TfAppBarCustomize *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("AppBar"));
        dialog->btnAdd->click();
        dialog->txtCommandLine->setText(QStringLiteral("%CURRENT%"));
        dialog->accept();
    });
    configure->click();
    EXPECT_EQ(Bar()->VisibleCount(), 1);
    EXPECT_EQ(ReadRegValue(AppBarKey, QStringLiteral("Button0_AppName"), QString()),
              QStringLiteral("record-arguments"));
    EXPECT_EQ(ReadRegValue(AppBarKey, QStringLiteral("Button0_CommandLine"), QString()), QStringLiteral("%CURRENT%"));
}

class CustomMenus : public LaunchBar
{
protected:
    TvqListButton *Button(int index) const { return m_window.CustomMenus()->Button(index); }
    // Stores an item as the first of the second button's menu.
    void StoreItem(const QString &start, const QString &end, const QString &file, int action)
    {
        const QString key = TCustomMenuCommands::RegistryKey(1);
        WriteRegValue(key, QStringLiteral("Button0_Caption"), QStringLiteral("Item  "));
        WriteRegValue(key, QStringLiteral("Button0_StartTag"), start);
        WriteRegValue(key, QStringLiteral("Button0_EndTag"), end);
        WriteRegValue(key, QStringLiteral("Button0_Filename"), file);
        WriteRegValue(key, QStringLiteral("Button0_Action"), action);
        m_window.CustomMenus()->Load();
    }
    void Choose() const { Button(1)->Items().at(0)->trigger(); }
    void TypeAndSelect(const QString &text, const QString &selected) const
    {
        Editor()->setFocus();
        QTest::keyClicks(Editor(), text);
        Editor()->SetSel(text.indexOf(selected), selected.size());
    }
};

TEST_F(CustomMenus, AFreshInstallationShowsSixButtons)
{
    // The tip of the day of a first start is closed.
    WhenShown<QDialog>([](QDialog *tip) { tip->reject(); });
    m_window.LoadSettings();
    const QStringList keys = {"CustomButtons",  "CustomButtons2", "CustomButtons3",
                              "CustomButtons4", "CustomButtons5", "CustomButtons6"};
    for (int i = 0; i < TCustomMenuCommands::ButtonCount; ++i) {
        TvqListButton *button = Button(i);
        EXPECT_EQ(button->objectName(), QStringLiteral("vqListButton%1").arg(i + 1));
        EXPECT_EQ(button->text(), QStringLiteral("Custom %1").arg(i + 1));
        EXPECT_TRUE(button->isEnabled());
        EXPECT_EQ(button->RegistryLocation(), QStringLiteral("Software\\Velicort\\") + keys[i]);
        const QList<QAction *> entries = button->Menu()->actions();
        ASSERT_EQ(entries.size(), 2);
        EXPECT_EQ(entries[0]->text(), QStringLiteral("Customize..."));
        EXPECT_TRUE(entries[1]->isSeparator());
    }
    EXPECT_EQ(Bar()->RegistryLocation(), AppBarKey);
}

TEST_F(CustomMenus, ATagItemWrapsTheSelectionAsWrittenInOneUndoStep)
{
    SetLowerCaseTags(true);
    StoreItem(QStringLiteral("<EM CLASS=\"x\">"), QStringLiteral("</EM>"), QString(), 0);
    TypeAndSelect(QStringLiteral("say hello now"), QStringLiteral("hello"));
    Editor()->SetModified(false);
    Choose();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say <EM CLASS=\"x\">hello</EM> now"));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello now"));
}

TEST_F(CustomMenus, AFileItemInsertsTheFileOrSaysItIsMissing)
{
    const QString part = WriteTestFile(m_dir.filePath(QStringLiteral("part.htm")), "<HR>");
    StoreItem(QString(), QString(), part, 32);
    TypeAndSelect(QStringLiteral("ab"), QString());
    Editor()->SetSel(1, 0);
    Choose();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("a<HR>\r\nb"));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("ab"));

    const QString missing = m_dir.filePath(QStringLiteral("missing.htm"));
    StoreItem(QString(), QString(), missing, 32);
    Choose();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text,
              QStringLiteral("The file referenced by this item (\"") + missing + QStringLiteral("\") doesn't exist."));
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Warning);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("ab"));
}

TEST_F(CustomMenus, AnItemWaitsForALongRun)
{
    StoreItem(QStringLiteral("<B>"), QStringLiteral("</B>"), QString(), 0);
    {
        const TLongRun run;
        Choose();
        EXPECT_TRUE(Editor()->Text().isEmpty());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<B></B>"));
}

} // namespace
