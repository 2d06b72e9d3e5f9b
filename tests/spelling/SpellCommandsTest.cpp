// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dictionaries.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "SingleInstance.h"
#include "SpellTestSupport.h"
#include "TFileBrowser.h"
#include "TSpellCommands.h"
#include "TestFiles.h"
#include "TfMain.h"
#include "TfSettings.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>

namespace {

using D = TSugDialog;

const QByteArray Page = "<p title=\"Zorblax\">Helo <b>wrld</b> Zorblax</p>\r\n";

class SpellCommand : public testing::Test
{
protected:
    SpellCommand()
    {
        m_window.show();
        m_window.SpellCommands()->SetDictionaries(DictionaryFilePath(DefaultDictionaryName), UserDictionary());
        m_window.OpenDocuments(WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")), Page), 0);
    }

    QString UserDictionary() const { return m_dir.filePath(QStringLiteral("Custom.dct")); }
    TRichSpellNB *Checker() const { return m_window.SpellCommands()->Checker(); }
    QByteArray Text() const { return m_window.ActiveEditor()->RawText(); }
    void Run() { m_window.Action(QStringLiteral("mnuToolsSpellCheck"))->trigger(); }
    QStringList Messages() const
    {
        QStringList texts;
        for (const TRecordedMessage &message : std::as_const(Scripted().messages))
            texts.append(message.text);
        return texts;
    }
    // What a check disables, and whether it is enabled now.
    QList<bool> Enabled() const
    {
        QList<bool> enabled;
        for (const char *name : {"vqHTMLTab", "pnlTB_Main", "pnlTB_SpeedBar"})
            enabled.append(m_window.findChild<QWidget *>(QLatin1String(name))->isEnabled());
        enabled.append(m_window.FileBrowser()->isEnabled());
        for (const char *name : {"mnuFile", "mnuEdit", "mnuSearch", "mnuTools", "mnuTags", "mnuOptions"})
            enabled.append(m_window.findChild<QMenu *>(QLatin1String(name))->menuAction()->isEnabled());
        return enabled;
    }

    QTemporaryDir m_dir;
    // Before the window reads its settings: no tip of the day.
    bool m_noTips = (WriteRegValue(QStringLiteral("Software\\Velicort"), QStringLiteral("ShowTips"), false), true);
    TfMain m_window;
};

} // namespace

TEST_F(SpellCommand, SkippingTagsChecksTheTextBetweenThem)
{
    const QList<bool> before = Enabled();
    ASSERT_FALSE(before.contains(false));
    ASSERT_TRUE(m_window.Settings().SpellSkipTags);
    m_window.ActiveEditor()->SetSel(3, 0);
    TSpellUser user(Checker(),
                    {{D::mrChange, QStringLiteral("Hello"), [&] { EXPECT_EQ(Enabled(), QList<bool>(10, false)); }},
                     {D::mrChange, QStringLiteral("world")},
                     {D::mrIgnore}});
    Run();
    // The attribute value is never checked; the pieces after a change are
    // found where they moved to.
    EXPECT_EQ(user.shown, QStringList({"Helo", "wrld", "Zorblax"}));
    EXPECT_EQ(Text(), QByteArray("<p title=\"Zorblax\">Hello <b>world</b> Zorblax</p>\r\n"));
    EXPECT_EQ(Messages(), QStringList({"Spell check complete."}));
    EXPECT_EQ(Enabled(), before);
    EXPECT_EQ(m_window.ActiveEditor()->GetSelStart(), 3);
    EXPECT_FALSE(m_window.SpellCommands()->Running());
}

TEST_F(SpellCommand, WithTagsEverythingIsChecked)
{
    m_window.SpellCommands()->SetSkipTags(false);
    TSpellUser user(Checker(), {{D::mrIgnoreAll}, {D::mrIgnore}, {D::mrIgnore}});
    Run();
    EXPECT_EQ(user.shown, QStringList({"Zorblax", "Helo", "wrld"}));
    EXPECT_EQ(Messages(), QStringList({"No changes made."}));
}

TEST_F(SpellCommand, CancelEndsTheWholeCommand)
{
    const QList<bool> before = Enabled();
    TSpellUser user(Checker(), {{D::mrCancel}});
    Run();
    EXPECT_EQ(user.shown, QStringList({"Helo"}));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Enabled(), before);
}

TEST_F(SpellCommand, ClosingTheWindowCancelsTheCheckFirst)
{
    TSpellUser user(Checker(), {{D::mrNone, QString(), [&] {
                                     EXPECT_FALSE(m_window.close());
                                     EXPECT_TRUE(m_window.isVisible());
                                 }}});
    Run();
    EXPECT_EQ(user.shown, QStringList({"Helo"}));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window.isVisible(); }));
}

TEST_F(SpellCommand, FileHandedOverCancelsTheCheckThenOpens)
{
    m_window.LoadSettings();
    const QString other = WriteTestFile(m_dir.filePath(QStringLiteral("other.htm")), "x");
    auto *messages = m_window.findChild<TfVelicortMessageWindow *>();
    ASSERT_TRUE(messages);
    TSpellUser user(Checker(), {{D::mrNone, QString(), [&] {
                                     emit messages->OpenFileMessage(other);
                                     EXPECT_EQ(m_window.Documents()->DocumentCount(), 1);
                                 }}});
    Run();
    EXPECT_EQ(user.shown, QStringList({"Helo"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_window.Documents()->DocumentCount() == 2; }));
    EXPECT_EQ(m_window.ActiveEditor()->Filename(), other);
}

TEST_F(SpellCommand, EmptyUserDictionaryIsRemovedAndMadeAgain)
{
    {
        TSpellUser user(Checker(), {{D::mrAdd}, {D::mrIgnore}, {D::mrIgnore}});
        Run();
        EXPECT_EQ(user.shown, QStringList({"Helo", "wrld", "Zorblax"}));
    }
    // Emptied by hand: the word added is unknown again.
    ASSERT_TRUE(QFile(UserDictionary()).resize(0));
    TSpellUser user(Checker(), {{D::mrIgnore}, {D::mrIgnore}, {D::mrIgnore}});
    Run();
    EXPECT_EQ(user.shown, QStringList({"Helo", "wrld", "Zorblax"}));
    EXPECT_TRUE(QFileInfo::exists(UserDictionary()));
}

TEST_F(SpellCommand, SettingsChooseTheDictionaryAndTheSkipping)
{
    TSettingsState state = m_window.CurrentSettings();
    EXPECT_EQ(state.DictionaryMain, DefaultDictionaryName);
    {
        // The settings dialog offers the installed dictionaries.
        TfSettings dialog(state, TfSettings::pgGeneral, &m_window);
        auto *box = dialog.findChild<QComboBox *>(QStringLiteral("cboDictionary"));
        ASSERT_TRUE(box);
        EXPECT_EQ(box->currentText(), DefaultDictionaryName);
        EXPECT_GE(box->findText(DefaultDictionaryName), 0);
    }
    TSettingsMarks marks;
    marks.General = true;
    state.DictionaryMain = m_dir.filePath(QStringLiteral("none.dic"));
    m_window.ApplySettings(state, marks);
    Run();
    EXPECT_EQ(Messages(), QStringList({"Could not open dictionary"}));

    Scripted().messages.clear();
    state.DictionaryMain = DefaultDictionaryName;
    state.SpellSkipTags = false;
    m_window.ApplySettings(state, marks);
    EXPECT_EQ(m_window.CurrentSettings().DictionaryMain, DefaultDictionaryName);
    TSpellUser user(Checker(), {{D::mrCancel}});
    Run();
    EXPECT_EQ(user.shown, QStringList({"Zorblax"}));
}
