// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMain.h"

#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TTagCommands.h"
#include "TagText.h"
#include "TfOptionDialog.h"
#include "TvqHTMLTab.h"
#include "TvqScriptTree.h"
#include "TvqTagButton.h"
#include "WhenShown.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TagCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        m_window = std::make_unique<TfMain>();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        Editor()->setFocus();
    }
    void TearDown() override { SetLowerCaseTags(false); }

    TvqRichHTML *Editor() const { return m_window->ActiveEditor(); }

    // Types the text and selects the given part of it.
    void TypeAndSelect(const QString &text, const QString &selected)
    {
        QTest::keyClicks(Editor(), text);
        Editor()->SetSel(text.indexOf(selected), selected.size());
    }

    void Click(const char *name) { m_window->findChild<TvqTagButton *>(QLatin1String(name))->click(); }

    std::unique_ptr<TfMain> m_window;
};

TEST_F(TagCommands, BoldWrapsTheSelectionInOneUndoStep)
{
    TypeAndSelect(QStringLiteral("say hello now"), QStringLiteral("hello"));
    Click("vqbBold");
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say <B>hello</B> now"));
    EXPECT_EQ(Editor()->SelText(), QStringLiteral("hello"));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say hello now"));

    // The menu item does the same.
    Editor()->SetSel(4, 5);
    m_window->Action(QStringLiteral("mnuTagsItalic"))->trigger();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say <I>hello</I> now"));
}

TEST_F(TagCommands, InOverwriteModeATagReplacesTheSelection)
{
    TypeAndSelect(QStringLiteral("say hello now"), QStringLiteral("hello"));
    QTest::keyClick(Editor(), Qt::Key_Insert);
    ASSERT_EQ(Editor()->InsertMode(), imOverwrite);
    Editor()->SetSel(4, 5);
    Click("vqbBold");
    EXPECT_EQ(Editor()->Text(), QStringLiteral("say <B></B> now"));
    EXPECT_EQ(Editor()->GetSelStart(), 7);
}

TEST_F(TagCommands, TagCaseAppliesOnlyToButtonsThatAskForIt)
{
    SetLowerCaseTags(true);
    Click("vqbRight");
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p align=right></p>"));
    Editor()->SetSel(0, Editor()->TextLength());
    Click("vqbASP_If");
    EXPECT_TRUE(Editor()->Text().startsWith(QStringLiteral("<% If ")));
    Editor()->SetSel(0, Editor()->TextLength());
    Click("vqNbsp");
    EXPECT_TRUE(Editor()->Text().startsWith(QStringLiteral("&nbsp;")));
}

TEST_F(TagCommands, ServerScriptKeysWithAndWithoutShift)
{
    TypeAndSelect(QStringLiteral("x = 1"), QStringLiteral("x = 1"));
    QTest::keyClick(Editor(), Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<% x = 1 %>"));
    Editor()->SetSel(0, Editor()->TextLength());
    QTest::keyClick(Editor(), Qt::Key_Percent, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<% <% x = 1 %> %>"));
}

TEST_F(TagCommands, TagListEntriesFollowTheirListsCaseRule)
{
    SetLowerCaseTags(true);
    for (const char *name : {"cboTagList", "cboASPList"}) {
        auto *list = m_window->findChild<QComboBox *>(QLatin1String(name));
        list->clear();
        list->addItem(QStringLiteral("<CENTER>..</CENTER>"));
    }
    TypeAndSelect(QStringLiteral("middle"), QStringLiteral("middle"));
    Click("spdTagInsert");
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<center>middle</center>"));
    Editor()->SetSel(0, 0);
    Click("spdASPInsert");
    EXPECT_TRUE(Editor()->Text().startsWith(QStringLiteral("<CENTER></CENTER><center>")));

    // An empty list inserts nothing.
    m_window->findChild<QComboBox *>(QStringLiteral("cboCFusionList"))->clear();
    const QString before = Editor()->Text();
    Click("spdCFusionInsert");
    EXPECT_EQ(Editor()->Text(), before);
}

TEST_F(TagCommands, ParagraphEndFollowsTheSetting)
{
    Click("vqbPara");
    m_window->Action(QStringLiteral("mnuTagsPara"))->trigger();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<P><P>"));

    WriteRegValue(QStringLiteral("Software\\Velicort"), QStringLiteral("CloseParagraphTags"), true);
    TfMain closing;
    closing.findChild<TvqTagButton *>(QStringLiteral("vqbPara"))->click();
    EXPECT_EQ(closing.ActiveEditor()->Text(), QStringLiteral("<P></P>"));
}

TEST_F(TagCommands, ATagOverSeveralLinesIsColouredAtOnce)
{
    const auto style = [this](qsizetype position) {
        return Editor()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(position));
    };
    Click("vqbBold");
    EXPECT_EQ(style(0), 0); // one line: coloured when the caret leaves it
    Editor()->SetSel(Editor()->TextLength(), 0);
    QTest::keyClick(Editor(), Qt::Key_Return);
    Click("vqbLstDefinition");
    const qsizetype list = Editor()->Text().indexOf(QLatin1String("<DL>"));
    EXPECT_NE(style(list), 0);
}

TEST_F(TagCommands, SpecialCharactersAndDatesInsertAsWritten)
{
    m_window->SetSpecialCharVisible(true);
    QApplication::processEvents();
    const QList<TvqTagButton *> buttons =
        m_window->findChild<QWidget *>(QStringLiteral("tbsSpecialChar"))->findChildren<TvqTagButton *>();
    ASSERT_EQ(buttons.size(), 23);
    SetLowerCaseTags(true);
    buttons.at(0)->click();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("&lt;"));

    auto *dates = m_window->findChild<QMenu *>(QStringLiteral("mnuTagsDateTime"));
    emit dates->aboutToShow();
    QAction *shortDate = m_window->Action(QStringLiteral("mnuDateShort"));
    EXPECT_EQ(shortDate->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    shortDate->trigger();
    EXPECT_TRUE(Editor()->Text().endsWith(shortDate->text()));
}

} // namespace

namespace {

TEST_F(TagCommands, TheScriptTreeInsertsAsWrittenAndHides)
{
    auto *tree = m_window->findChild<TvqScriptTree *>(QStringLiteral("vqJavaScriptTree"));
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE(tree->isVisible());
    SetLowerCaseTags(true);
    Click("spdJavaTree");
    ASSERT_TRUE(tree->isVisible());
    const QList<QTreeWidgetItem *> found = tree->Tree()->findItems(QStringLiteral("go()"), Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty());
    emit tree->Tree()->itemDoubleClicked(found.first(), 0);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("history.go()"));
    EXPECT_EQ(Editor()->GetSelStart(), 11);
    EXPECT_FALSE(tree->isVisible());

    // Any tag button hides it too.
    Click("spdJavaTree");
    ASSERT_TRUE(tree->isVisible());
    Click("vqbBold");
    EXPECT_FALSE(tree->isVisible());
}

} // namespace

namespace {

TEST_F(TagCommands, SelectionCommandsFromTheMenus)
{
    SetLowerCaseTags(true);
    QTest::keyClicks(Editor(), QStringLiteral("one"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    QTest::keyClicks(Editor(), QStringLiteral("two"));
    Editor()->SetSel(0, Editor()->TextLength());
    m_window->Action(QStringLiteral("mnuSelect_AddBreaks"))->trigger();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("one<BR>\r\ntwo<BR>\r\n"));
    Editor()->SetSel(0, 0);
    QTest::keyClick(Editor(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Editor()->Text().startsWith(QStringLiteral("<ol>\r\n\t<li>one<BR>\r\n</ol>")));

    Scripted().answers = {TMsgResult::Yes};
    m_window->Action(QStringLiteral("mnuSearchReplaceSlashes"))->trigger();
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Replace all instances of \"\\\" with \"/\"?"));
    EXPECT_EQ(Scripted().messages[1].text, QStringLiteral("0 replacements made."));

    Scripted().Reset();
    Scripted().answers = {TMsgResult::No};
    m_window->Action(QStringLiteral("mnuEditStripAllTags"))->trigger();
    EXPECT_EQ(Scripted().messages[0].text,
              QStringLiteral("This will strip all HTML tags from the current document.  Continue?"));
    EXPECT_TRUE(Editor()->Text().contains(QStringLiteral("<ol>")));
}

} // namespace

namespace {

// Answers the option dialog that the next command shows.
void AnswerOptionDialog(bool first)
{
    QTimer::singleShot(0, [first] {
        auto *dialog = qobject_cast<TfOptionDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        (first ? dialog->FirstOption() : dialog->SecondOption())->setChecked(true);
        dialog->accept();
    });
}

TEST_F(TagCommands, OptionDialogsChooseTheForm)
{
    QTest::keyClicks(Editor(), QStringLiteral("a"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    QTest::keyClicks(Editor(), QStringLiteral("b"));
    Editor()->SetSel(0, Editor()->TextLength());
    AnswerOptionDialog(false);
    m_window->Action(QStringLiteral("mnuSelect_Table"))->trigger();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<TABLE>\r\n\t<TD>a</TD>\r\n\t<TD>b</TD>\r\n</TABLE>\r\n"));

    AnswerOptionDialog(false);
    m_window->Action(QStringLiteral("mnuEditConvertTags"))->trigger();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<table>\r\n\t<td>a</td>\r\n\t<td>b</td>\r\n</table>\r\n"));
}

TEST_F(TagCommands, EveryTagButtonHasSomethingToDo)
{
    for (TvqTagButton *button : m_window->findChildren<TvqTagButton *>()) {
        if (button->objectName().startsWith(QLatin1String("spd")))
            continue;
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        EXPECT_TRUE(TTagCommands::IsAvailable(button->Action())) << button->objectName().toStdString();
    }
}

} // namespace

namespace {

TEST_F(TagCommands, MenusButtonsAndEditTagOpenTheTagDialogs)
{
    EXPECT_TRUE(m_window->Action(QStringLiteral("mnuToolsFont"))->isEnabled());

    AnswerNextDialog(QStringLiteral("Font"), [](QDialog *dialog) {
        dialog->findChild<QComboBox *>(QStringLiteral("cboFace"))->setEditText(QStringLiteral("Serif"));
    });
    m_window->Action(QStringLiteral("mnuToolsFont"))->trigger();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<FONT FACE=\"Serif\"></FONT>"));

    // F3 with the caret in the tag: the tag's own dialog, on the tag.
    Editor()->SetSel(3, 0);
    AnswerNextDialog(QStringLiteral("Font"), [](QDialog *dialog) {
        auto *face = dialog->findChild<QComboBox *>(QStringLiteral("cboFace"));
        EXPECT_EQ(face->currentText(), QStringLiteral("Serif"));
        face->setEditText(QStringLiteral("Sans"));
    });
    m_window->Action(QStringLiteral("mnuEditEditTag"))->trigger();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<FONT FACE=\"Sans\"></FONT>"));

    Editor()->SetSel(Editor()->TextLength(), 0);
    AnswerNextDialog(QStringLiteral("Horizontal Rule"), [](QDialog *) {});
    Click("vqbHRule");
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<FONT FACE=\"Sans\"></FONT><HR>"));
    EXPECT_TRUE(Editor()->Modified());
}

} // namespace
