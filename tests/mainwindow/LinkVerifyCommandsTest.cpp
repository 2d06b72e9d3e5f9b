// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's link verification commands: what they check before the
// verifier opens, the reload question afterwards, and the file pane's command.

#include "TfMain.h"

#include "DocumentCommands.h"
#include "LinkCheck.h"
#include "LinkVerifyCommands.h"
#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TFileBrowser.h"
#include "TestFiles.h"
#include "TfLinkTest.h"
#include "TfLinkTestModifyLink.h"
#include "TvqHTMLTab.h"
#include "WhenShown.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class LinkVerifyCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        WriteRegValue(LinkVerifyKeys::LinkVerify, QStringLiteral("DefaultURL"), m_dir.path());
    }

    TvqRichHTML *Editor() { return m_window.Documents()->ActiveEditor(); }
    QString Page(const QString &name, const QByteArray &text) { return WriteTestFile(m_dir.filePath(name), text); }

    // Changes the first link to new.htm and closes the verifier saving it.
    void ChangeAndSaveInTheVerifier()
    {
        WhenShown<TfLinkTest>([this](TfLinkTest *verifier) {
            m_reloadPromptDuringRun = m_reloadPrompt;
            WhenShown<TfLinkTestModifyLink>([](TfLinkTestModifyLink *dialog) {
                dialog->edtChangeTo->setText(QStringLiteral("new.htm"));
                dialog->accept();
            });
            verifier->ModifyCurrent();
            verifier->SaveChanges();
            verifier->CloseVerifier();
        });
    }

    QTemporaryDir m_dir;
    TfMain m_window;
    bool m_reloadPrompt = true;
    bool m_reloadPromptDuringRun = true;
    TLinkVerifyCommands m_commands{m_window.Documents(), m_window.Commands(), m_window.FileBrowser(), m_reloadPrompt,
                                   &m_window};
};

} // namespace

TEST_F(LinkVerifyCommands, TheMenuCommandIsLive)
{
    EXPECT_TRUE(m_window.findChild<QAction *>(QStringLiteral("mnuToolsVerifyLinks"))->isEnabled());
    EXPECT_TRUE(m_window.findChild<QAction *>(QStringLiteral("spdVerifyLinks"))->isEnabled());
}

TEST_F(LinkVerifyCommands, AnEmptyOrUnsavedDocumentIsNotVerified)
{
    m_commands.VerifyCurrentDocument();
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This document is empty - there is nothing to verify."));

    Editor()->InsertTag(QStringLiteral("<a href=\"a.htm\">"), QString(), true);
    Scripted().Reset();
    m_commands.VerifyCurrentDocument(); // Save As cancelled
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This document must first be saved."));
    EXPECT_EQ(Scripted().fileDialogCaptions.size(), 1);
    EXPECT_TRUE(Scripted().notices.isEmpty());
}

TEST_F(LinkVerifyCommands, TheConnectionNoteCancelledStops)
{
    m_window.Commands()->OpenDocuments(Page(QStringLiteral("p.htm"), "<a href=\"a.htm\">"), 0);
    Scripted().noticeAnswers = {{TMsgResult::Cancel, false}};
    bool shown = false;
    WhenShown<TfLinkTest>([&](TfLinkTest *verifier) {
        shown = true;
        verifier->CloseVerifier();
    });
    m_commands.VerifyCurrentDocument();
    ASSERT_EQ(Scripted().notices.size(), 1);
    EXPECT_EQ(Scripted().notices[0].text,
              QStringLiteral("Note: Make sure you have a valid Internet connection before using this function"));
    EXPECT_FALSE(shown);
    m_commands.VerifyCurrentDocument(); // cleanup: shown now, and closed
    EXPECT_TRUE(shown);
}

TEST_F(LinkVerifyCommands, ASavedChangeIsReloadedOnYesWithTheReloadQuestionOffMeanwhile)
{
    const QString page = Page(QStringLiteral("p.htm"), "<a href=\"a.htm\">a</a>");
    m_window.Commands()->OpenDocuments(page, 0);
    ChangeAndSaveInTheVerifier();
    Scripted().answers = {TMsgResult::Yes};
    m_commands.VerifyCurrentDocument();
    EXPECT_FALSE(m_reloadPromptDuringRun);
    EXPECT_TRUE(m_reloadPrompt);
    EXPECT_EQ(Scripted().messages.last().text, QStringLiteral("Reload affected document?"));
    EXPECT_EQ(Editor()->RawText(), QByteArray("<a href=\"new.htm\">a</a>"));
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(LinkVerifyCommands, TheCommandWaitsForALongRun)
{
    m_window.Commands()->OpenDocuments(Page(QStringLiteral("p.htm"), "<a href=\"a.htm\">"), 0);
    bool shown = false;
    WhenShown<TfLinkTest>([&](TfLinkTest *verifier) {
        shown = true;
        verifier->CloseVerifier();
    });
    {
        const TLongRun run;
        m_window.findChild<QAction *>(QStringLiteral("mnuToolsVerifyLinks"))->trigger();
        EXPECT_TRUE(Scripted().notices.isEmpty());
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(shown);
}

TEST_F(LinkVerifyCommands, TheFilePaneVerifiesHTMLFilesAndReloadsTheirOpenTab)
{
    const QString sheet = Page(QStringLiteral("s.css"), "a { }");
    m_commands.VerifyFile(sheet);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("This function can only be performed on HTML documents."));

    const QString page = Page(QStringLiteral("p.htm"), "<a href=\"a.htm\">a</a>");
    m_window.Commands()->OpenDocuments(page, 0);
    m_window.Commands()->OpenDocuments(Page(QStringLiteral("other.htm"), "other"), 0);
    ASSERT_EQ(m_window.Documents()->TabIndex(), 1);
    ChangeAndSaveInTheVerifier();
    Scripted().answers = {TMsgResult::Yes};
    m_commands.VerifyFile(page);
    EXPECT_EQ(m_window.Documents()->TabIndex(), 0);
    EXPECT_EQ(Editor()->RawText(), QByteArray("<a href=\"new.htm\">a</a>"));
}
