// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs opened as the program opens them: shown modally, driven by
// keys, and their result put into the document.

#include "TTagDialogCommands.h"

#include "CommandBinder.h"
#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "TagText.h"
#include "TestFiles.h"
#include "TvqColorCombo.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "TvqUpDownEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TagDialogCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        m_tabs.resize(640, 480);
        m_tabs.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tabs));
    }

    TvqRichHTML *Editor() { return m_tabs.ActiveEditor(); }

    void SetDocument(const QString &text, qsizetype selStart, qsizetype selLength)
    {
        Editor()->InsertTag(text, QString(), false);
        Editor()->SetModified(false);
        Editor()->SetSel(selStart, selLength);
    }

    // Runs act on the dialog once it is shown modally and active; counts the
    // dialogs.
    void WhenShown(std::function<void(QDialog *)> act)
    {
        auto *poll = new QTimer(&m_tabs);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, &m_tabs, [this, poll, act] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isActiveWindow())
                return;
            poll->deleteLater();
            poll->stop();
            ++m_shown;
            act(dialog);
        });
        poll->start();
    }

    TvqHTMLTab m_tabs;
    TTagDialogCommands m_commands{&m_tabs, [] { return QStringLiteral("/web"); }, &m_tabs};
    int m_shown = 0;
};

TEST_F(TagDialogCommands, ANewFontWrapsTheSelectionInOneUndoStep)
{
    SetDocument(QStringLiteral("say hello now"), 4, 5);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Font"));
        // Typed as a user would: the size field, then the colour list.
        auto *size = dialog->findChild<TvqUpDownEdit *>(QStringLiteral("txtSize"));
        size->setFocus();
        QTest::keyClicks(size, QStringLiteral("29"));
        dialog->findChild<TvqColorCombo *>(QStringLiteral("vqColorCombo"))->SetColorText(QStringLiteral("Navy"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    m_commands.RunAction(vqFont);
    EXPECT_EQ(m_shown, 1);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say <FONT SIZE=\"2\" COLOR=\"Navy\">hello</FONT> now"));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello now"));
}

TEST_F(TagDialogCommands, EditTagRewritesTheTagAtTheCaret)
{
    const QString page = QStringLiteral("<P>a <HR SIZE=3 ID=\"k\"> b</P>");
    SetDocument(page, 10, 0);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Horizontal Rule"));
        auto *size = dialog->findChild<TvqUpDownEdit *>(QStringLiteral("txtSize"));
        EXPECT_EQ(size->Text(), QStringLiteral("3"));
        size->stepBy(1);
        dialog->accept();
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<P>a <HR SIZE=\"6\" ID=\"K\"> b</P>"));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), page);
}

TEST_F(TagDialogCommands, EscapeCancelsAndLeavesTheDocumentAlone)
{
    SetDocument(QStringLiteral("<FONT SIZE=2>x</FONT>"), 3, 0);
    WhenShown([](QDialog *dialog) {
        auto *face = dialog->findChild<QComboBox *>(QStringLiteral("cboFace"));
        face->setEditText(QStringLiteral("Arial"));
        QTest::keyClick(face, Qt::Key_Escape);
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(m_shown, 1);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<FONT SIZE=2>x</FONT>"));
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(TagDialogCommands, CommentMemoTakesEscapeAsCancelAndStartsAtTheEnd)
{
    SetDocument(QStringLiteral("<!-- note -->"), 2, 0);
    WhenShown([](QDialog *dialog) {
        auto *memo = dialog->findChild<QPlainTextEdit *>(QStringLiteral("memComment"));
        EXPECT_EQ(QApplication::focusWidget(), memo) << QApplication::focusWidget()->metaObject()->className();
        EXPECT_EQ(memo->textCursor().position(), memo->toPlainText().size());
        QTest::keyClick(memo, Qt::Key_Escape);
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(m_shown, 1);
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(TagDialogCommands, ANewAnchorLinksTheSelectedWord)
{
    SetDocument(QStringLiteral("see there"), 4, 5);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->findChild<QPlainTextEdit *>(QStringLiteral("memDescription"))->toPlainText(),
                  QStringLiteral("there"));
        dialog->findChild<QComboBox *>(QStringLiteral("cboURL"))->setEditText(QStringLiteral("t.html"));
        dialog->accept();
    });
    m_commands.RunAction(vqAnchor);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("see <A HREF=\"t.html\">there</A>"));
    EXPECT_EQ(Editor()->SelText(), QString());
}

TEST_F(TagDialogCommands, InsertTagOfAShortcutOpensTheAnchorWithItsAddress)
{
    QTemporaryDir dir;
    const QString shortcut =
        WriteTestFile(dir.filePath(QStringLiteral("site.url")), "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->findChild<QComboBox *>(QStringLiteral("cboURL"))->currentText(),
                  QStringLiteral("http://example.com/"));
        dialog->accept();
    });
    EXPECT_TRUE(m_commands.InsertFileTag(shortcut, TFileKind::Shortcut));
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<A HREF=\"http://example.com/\"></A>"));
    EXPECT_FALSE(m_commands.InsertFileTag(dir.filePath(QStringLiteral("a.css")), TFileKind::StyleSheet));
    EXPECT_EQ(m_shown, 1);
}

TEST_F(TagDialogCommands, EditTagOnATagOfNoDialogOpensNothing)
{
    SetDocument(QStringLiteral("<APPLET CODE=\"a\"> <B>x</B>"), 18, 0);
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(m_shown, 0);
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(TagDialogCommands, ADialogWaitsForALongRunToEnd)
{
    SetDocument(QString(), 0, 0);
    WhenShown([](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("txtMailTo"))->setText(QStringLiteral("a@b.c"));
        dialog->accept();
    });
    {
        const TLongRun run;
        m_commands.RunAction(vqMailTo);
        EXPECT_TRUE(Editor()->Text().isEmpty());
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_shown, 1, 5000);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<A HREF=\"mailto:a@b.c\"></A>"));
}

TEST_F(TagDialogCommands, EveryToolsCommandOfADialogIsConnected)
{
    QWidget window;
    for (const char *name :
         {"mnuToolsAnchor", "mnuToolsImage", "mnuToolsFont", "mnuToolsTableWizard", "mnuToolsFrameWizard",
          "mnuToolsList", "mnuToolsCommentEditor", "mnuToolsHorzRule", "mnuToolsQuickStart", "mnuEditEditTag"}) {
        auto *action = new QAction(&window);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(false);
    }
    TTagDialogCommands commands(
        &m_tabs, [] { return QString(); }, &window);
    commands.Connect(TCommandBinder(&window));
    for (const QAction *action : window.findChildren<QAction *>())
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
}

} // namespace
