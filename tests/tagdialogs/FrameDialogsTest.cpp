// SPDX-License-Identifier: GPL-3.0-or-later
// The frame wizard's layout and FRAMESET block, the wizard driven page by
// page, and the frame, frameset and floating frame dialogs.

#include "FrameText.h"
#include "TTagDialogCommands.h"
#include "TfFloatingFrame.h"
#include "TfFrame.h"
#include "TfFrameWizard.h"
#include "TfFrameset.h"
#include "TvqFramePanel.h"

#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "TagText.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "TvqUpDownEdit.h"
#include "WhenShown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString Tab = QStringLiteral("\t");
const QString CrLf = QStringLiteral("\r\n");

class FrameDialogs : public testing::Test
{
protected:
    void SetUp() override { SetLowerCaseTags(false); }
    void TearDown() override { SetLowerCaseTags(false); }

    TTagDialogContext Context() const { return {QStringLiteral("/web/site"), false, false, nullptr}; }

    template <typename Widget> static Widget *Field(const QWidget &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    static void Click(const QWidget &dialog, const char *name) { Field<QAbstractButton>(dialog, name)->click(); }
    static void SetDivision(const QWidget &wizard, int line, const QString &count)
    {
        Field<QTableWidget>(wizard, "grdDivide")->item(line, 1)->setText(count);
    }
    static std::vector<TvqFramePanel *> Panels(const QWidget &wizard)
    {
        std::vector<TvqFramePanel *> panels;
        for (int i = 1; auto *panel = wizard.findChild<TvqFramePanel *>(QStringLiteral("pnlFrame%1").arg(i)); ++i)
            panels.push_back(panel);
        return panels;
    }
};

QString FrameLine(int tabs, const QString &name, const QString &rest = QStringLiteral(" SCROLLING=\"AUTO\">"))
{
    return CrLf + Tab.repeated(tabs) + QStringLiteral("<FRAME NAME=\"") + name + QStringLiteral("\" SRC=\"\"") + rest;
}

TEST_F(FrameDialogs, SharesRoundAHalfToEvenAndEndInAStar)
{
    EXPECT_EQ(RoundedQuotient(100, 8), 12);
    EXPECT_EQ(RoundedQuotient(100, 6), 17);
    EXPECT_EQ(RoundedQuotient(5, 2), 2);
    EXPECT_EQ(RoundedQuotient(7, 2), 4);
    const QStringList eight(8, QStringLiteral("1"));
    const QString text = FramesetText(true, eight, LayoutFrames(true, eight, QSize(320, 200)));
    EXPECT_TRUE(text.startsWith(QStringLiteral("<FRAMESET ROWS=\"100%\" COLS=\"12%,12%,12%,12%,12%,12%,12%,*\">")))
        << text.toStdString();
    const QStringList three(3, QStringLiteral("1"));
    EXPECT_TRUE(FramesetText(true, three, LayoutFrames(true, three, QSize(300, 200)))
                    .startsWith(QStringLiteral("<FRAMESET ROWS=\"100%\" COLS=\"33%,33%,*\">")));
}

TEST_F(FrameDialogs, LayoutPlacesEveryFrameOfBothSplits)
{
    const QStringList divisions{QStringLiteral("1"), QStringLiteral("2")};
    const std::vector<TFrameSettings> columns = LayoutFrames(true, divisions, QSize(320, 220));
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].FrameName, QStringLiteral("Frame 1"));
    EXPECT_EQ(columns[0].Geometry, QRect(0, 0, 160, 220));
    EXPECT_EQ(columns[2].FrameName, QStringLiteral("Frame 3"));
    EXPECT_EQ(columns[2].Geometry, QRect(160, 110, 160, 110));
    EXPECT_EQ(std::tuple(columns[2].Row, columns[2].Column, columns[2].FrameWidth, columns[2].FrameHeight),
              std::tuple(2, 2, 50, 50));

    // By rows the roles exchange; a count that is no number is one frame.
    const std::vector<TFrameSettings> rows =
        LayoutFrames(false, {QStringLiteral("3"), QStringLiteral("x")}, QSize(300, 200));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].Geometry, QRect(100, 0, 99, 100)) << "a third of the width, rounded";
    EXPECT_EQ(std::tuple(rows[1].Row, rows[1].Column, rows[1].FrameWidth, rows[1].FrameHeight),
              std::tuple(1, 2, 33, 50));
    EXPECT_EQ(rows[3].Geometry, QRect(0, 100, 300, 100));
    EXPECT_EQ(rows[3].Scrolling, QStringLiteral("Auto"));
}

TEST_F(FrameDialogs, FramesetTextIndentsGroupsAndWritesEveryAttribute)
{
    const QStringList divisions{QStringLiteral("1"), QStringLiteral("2")};
    std::vector<TFrameSettings> frames = LayoutFrames(true, divisions, QSize(320, 220));
    EXPECT_EQ(FramesetText(true, divisions, frames),
              QStringLiteral("<FRAMESET ROWS=\"100%\" COLS=\"50%,*\">") + FrameLine(1, QStringLiteral("Frame 1")) +
                  CrLf + Tab + QStringLiteral("<FRAMESET ROWS=\"50%,*\">") + FrameLine(2, QStringLiteral("Frame 2")) +
                  FrameLine(2, QStringLiteral("Frame 3")) + CrLf + Tab + QStringLiteral("</FRAMESET>") + CrLf +
                  QStringLiteral("</FRAMESET>"));

    // By rows, in lower case, with margins, no resize and a source.
    SetLowerCaseTags(true);
    const QStringList two{QStringLiteral("2"), QStringLiteral("1")};
    frames = LayoutFrames(false, two, QSize(320, 220));
    frames[0].Scrolling = QStringLiteral("No");
    frames[0].MarginHeight = QStringLiteral("4");
    frames[0].MarginWidth = QStringLiteral("7");
    frames[0].NoResize = true;
    frames[2].FrameURL = QStringLiteral("Main.htm");
    frames[2].FrameName = QString();
    EXPECT_EQ(FramesetText(false, two, frames),
              QStringLiteral("<frameset cols=\"100%\" rows=\"50%,*\">") + CrLf + Tab +
                  QStringLiteral("<frameset cols=\"50%,*\">") + CrLf + Tab + Tab +
                  QStringLiteral("<frame name=\"Frame 1\" src=\"\" scrolling=\"no\" marginheight=4 marginwidth=7 "
                                 "noresize>") +
                  CrLf + Tab + Tab + QStringLiteral("<frame name=\"Frame 2\" src=\"\" scrolling=\"auto\">") + CrLf +
                  Tab + QStringLiteral("</frameset>") + CrLf + Tab +
                  QStringLiteral("<frame name=\"\" src=\"Main.htm\" scrolling=\"auto\">") + CrLf +
                  QStringLiteral("</frameset>"));
}

TEST_F(FrameDialogs, WizardBuildsTheBlockPageByPage)
{
    TfFrameWizard wizard(Context(), nullptr);
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Frame Wizard"));
    EXPECT_EQ(wizard.Page(), 1);
    EXPECT_TRUE(Field<QRadioButton>(wizard, "optRows")->isChecked());
    Click(wizard, "btnBack");
    EXPECT_EQ(wizard.Page(), 1);
    Field<QRadioButton>(wizard, "optColumns")->setChecked(true);
    Click(wizard, "btnNext");
    EXPECT_EQ(Field<QLabel>(wizard, "lblRowCol")->text(), QStringLiteral("How many columns would you like (2-9) ?"));
    EXPECT_EQ(Field<TvqUpDownEdit>(wizard, "txtRowCol_2")->Text(), QStringLiteral("2"));
    Click(wizard, "btnNext");
    EXPECT_EQ(Field<QLabel>(wizard, "lblDivide")->text(),
              QStringLiteral("Each of these columns may be divided into one to nine frames."));
    auto *grid = Field<QTableWidget>(wizard, "grdDivide");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("column 2"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("1"));
    SetDivision(wizard, 1, QStringLiteral("2"));
    Click(wizard, "btnNext");
    EXPECT_EQ(wizard.Page(), 4);
    EXPECT_EQ(Field<QPushButton>(wizard, "btnNext")->text(), QStringLiteral("&Finish"));

    // The first panel is selected; a click selects another, whose fields
    // then go into it.
    std::vector<TvqFramePanel *> panels = Panels(wizard);
    ASSERT_EQ(panels.size(), 3u);
    EXPECT_TRUE(panels[0]->Selected());
    EXPECT_EQ(panels[0]->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0x00));
    QTest::mouseClick(panels[2], Qt::LeftButton);
    EXPECT_TRUE(panels[2]->Selected());
    EXPECT_FALSE(panels[0]->Selected());
    EXPECT_EQ(panels[0]->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(Field<QLineEdit>(wizard, "txtFrameName")->text(), QStringLiteral("Frame 3"));
    Field<QComboBox>(wizard, "cboScrolling")->setCurrentText(QStringLiteral("No"));
    QTest::keyClicks(Field<QComboBox>(wizard, "cboFrameURL"), QStringLiteral("b.htm"));
    Field<QCheckBox>(wizard, "chkNoResize")->setChecked(true);
    // An empty margin steps to the bottom of its range first.
    Field<TvqUpDownEdit>(wizard, "txtMarginWidth")->stepBy(1);
    Field<TvqUpDownEdit>(wizard, "txtMarginWidth")->stepBy(3);
    EXPECT_EQ(panels[2]->Settings().FrameURL, QStringLiteral("b.htm"));
    Click(wizard, "btnNext");
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    const QString expected =
        QStringLiteral("<FRAMESET ROWS=\"100%\" COLS=\"50%,*\">") + FrameLine(1, QStringLiteral("Frame 1")) + CrLf +
        Tab + QStringLiteral("<FRAMESET ROWS=\"50%,*\">") + FrameLine(2, QStringLiteral("Frame 2")) + CrLf + Tab + Tab +
        QStringLiteral("<FRAME NAME=\"Frame 3\" SRC=\"b.htm\" SCROLLING=\"NO\" MARGINWIDTH=3 NORESIZE>") + CrLf + Tab +
        QStringLiteral("</FRAMESET>") + CrLf + QStringLiteral("</FRAMESET>");
    EXPECT_EQ(wizard.StartText().toStdString(), expected.toStdString());
    EXPECT_TRUE(wizard.EndText().isEmpty());
    EXPECT_FALSE(wizard.ReplacesSelection());
}

TEST_F(FrameDialogs, WizardBackAndForthKeepsDivisionsButNotFrameSettings)
{
    TfFrameWizard wizard(Context(), nullptr);
    Click(wizard, "btnNext");
    EXPECT_EQ(Field<QLabel>(wizard, "lblRowCol")->text(), QStringLiteral("How many rows would you like (2-9) ?"));
    Field<TvqUpDownEdit>(wizard, "txtRowCol_2")->SetText(QStringLiteral("3"));
    Click(wizard, "btnNext");
    SetDivision(wizard, 2, QStringLiteral("4"));
    Click(wizard, "btnNext");
    ASSERT_EQ(Panels(wizard).size(), 6u);
    Field<QLineEdit>(wizard, "txtFrameName")->setText(QStringLiteral("top"));
    EXPECT_EQ(Panels(wizard)[0]->Settings().FrameName, QStringLiteral("top"));

    // Back to page 3 and forward again: the panels are built anew.
    Click(wizard, "btnBack");
    EXPECT_EQ(wizard.Page(), 3);
    Click(wizard, "btnNext");
    ASSERT_EQ(Panels(wizard).size(), 6u);
    EXPECT_EQ(Panels(wizard)[0]->Settings().FrameName, QStringLiteral("Frame 1"));
    EXPECT_EQ(Field<QLineEdit>(wizard, "txtFrameName")->text(), QStringLiteral("Frame 1"));

    // Back to page 2 and forward with the same count: the divisions stay;
    // a smaller count drops the lines beyond it.
    Click(wizard, "btnBack");
    Click(wizard, "btnBack");
    EXPECT_EQ(wizard.Page(), 2);
    Click(wizard, "btnNext");
    auto *grid = Field<QTableWidget>(wizard, "grdDivide");
    EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("4"));
    Click(wizard, "btnBack");
    Field<TvqUpDownEdit>(wizard, "txtRowCol_2")->SetText(QStringLiteral("2"));
    Click(wizard, "btnNext");
    EXPECT_EQ(grid->rowCount(), 2);
    Click(wizard, "btnNext");
    EXPECT_EQ(Panels(wizard).size(), 2u);
}

TEST_F(FrameDialogs, WizardRefusesACountOutsideOneToNine)
{
    TfFrameWizard wizard(Context(), nullptr);
    Click(wizard, "btnNext");
    Click(wizard, "btnNext");
    SetDivision(wizard, 1, QString());
    Click(wizard, "btnNext");
    EXPECT_EQ(wizard.Page(), 3);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Please enter a number between 1 and 9"));
    auto *grid = Field<QTableWidget>(wizard, "grdDivide");
    EXPECT_EQ(std::pair(grid->currentRow(), grid->currentColumn()), std::pair(1, 1));
    SetDivision(wizard, 1, QStringLiteral("9"));
    Click(wizard, "btnNext");
    EXPECT_EQ(wizard.Page(), 4);
    EXPECT_EQ(Panels(wizard).size(), 10u);
}

TEST_F(FrameDialogs, WizardBrowsesForARelativeSource)
{
    TfFrameWizard wizard({QStringLiteral("/web/site"), true, false, nullptr}, nullptr);
    for (int i = 0; i < 3; ++i)
        Click(wizard, "btnNext");
    Scripted().fileNames = {QStringLiteral("/web/site/Pages/Menu.HTM")};
    Click(wizard, "btnFrameURL");
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{QStringLiteral("Select HTML Document")});
    EXPECT_EQ(Panels(wizard)[0]->Settings().FrameURL, QStringLiteral("pages/menu.htm"));
}

TEST_F(FrameDialogs, FrameDialogNewAndEditedTags)
{
    TfFrame fresh(Context(), nullptr);
    EXPECT_EQ(fresh.StartText(), QStringLiteral("<FRAME MARGINHEIGHT=0 MARGINWIDTH=0 FRAMESPACING=0>"));
    EXPECT_TRUE(fresh.EndText().isEmpty());
    Field<QLineEdit>(fresh, "txtName")->setText(QStringLiteral("main"));
    Field<QComboBox>(fresh, "cboScrolling")->setCurrentText(QStringLiteral("No"));
    Field<QComboBox>(fresh, "cboBorder")->setCurrentText(QStringLiteral("Yes"));
    Field<QCheckBox>(fresh, "chkNoResize")->setChecked(true);
    EXPECT_EQ(fresh.StartText(), QStringLiteral("<FRAME NAME=\"main\" MARGINHEIGHT=0 MARGINWIDTH=0 FRAMESPACING=0 "
                                                "FRAMEBORDER=\"Yes\" SCROLLING=\"No\" NORESIZE>"));

    // Editing keeps what the dialog does not know and drops NORESIZE.
    TfFrame edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<frame src=\"a.htm\" class=x marginwidth=5 noresize>"));
    EXPECT_EQ(Field<QLineEdit>(edit, "txtSource")->text(), QStringLiteral("a.htm"));
    EXPECT_EQ(Field<TvqUpDownEdit>(edit, "txtMarginWidth")->Text(), QStringLiteral("5"));
    EXPECT_TRUE(Field<QCheckBox>(edit, "chkNoResize")->isChecked());
    Field<QCheckBox>(edit, "chkNoResize")->setChecked(false);
    EXPECT_EQ(edit.StartText(), QStringLiteral("<frame src=\"a.htm\" class=x marginwidth=5>"));
    EXPECT_TRUE(edit.EndText().isEmpty());
}

TEST_F(FrameDialogs, FramesetDialogNewAndEditedTags)
{
    SetLowerCaseTags(true);
    TfFrameset fresh(Context(), nullptr);
    Field<QLineEdit>(fresh, "txtCols")->setText(QStringLiteral("50%,*"));
    EXPECT_EQ(fresh.StartText(), QStringLiteral("<frameset cols=\"50%,*\">\r\n"));
    EXPECT_EQ(fresh.EndText(), QStringLiteral("\r\n</frameset>"));
    TfFrameset edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<FRAMESET ROWS=\"*,*\" BORDER=0>"));
    EXPECT_EQ(Field<QLineEdit>(edit, "txtRows")->text(), QStringLiteral("*,*"));
    Field<QLineEdit>(edit, "txtRows")->clear();
    Field<QLineEdit>(edit, "txtCols")->setText(QStringLiteral("20%,*"));
    EXPECT_EQ(edit.StartText(), QStringLiteral("<FRAMESET BORDER=0 cols=\"20%,*\">"));
    EXPECT_TRUE(edit.EndText().isEmpty());
}

TEST_F(FrameDialogs, FloatingFrameDialogNewAndEditedTags)
{
    TfFloatingFrame fresh(Context(), nullptr);
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Floating Frame"));
    QTest::keyClicks(Field<QLineEdit>(fresh, "txtWidth"), QStringLiteral("3a0%0"));
    Field<QComboBox>(fresh, "cboAlign")->setCurrentText(QStringLiteral("LEFT"));
    EXPECT_EQ(fresh.StartText(),
              QStringLiteral("<IFRAME WIDTH=300 MARGINHEIGHT=0 MARGINWIDTH=0 ALIGN=LEFT FRAMEBORDER=1>"));
    EXPECT_EQ(fresh.EndText(), QStringLiteral("</IFRAME>"));

    TfFloatingFrame edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<IFRAME SRC=\"x.htm\" FRAMEBORDER=0 SCROLLING=\"No\" ID=f>"));
    EXPECT_FALSE(Field<QCheckBox>(edit, "chkBorder")->isChecked());
    EXPECT_EQ(Field<QComboBox>(edit, "cboScrolling")->currentText(), QStringLiteral("No"));
    Scripted().fileNames = {QStringLiteral("/web/other/y.htm")};
    Click(edit, "btnSource");
    EXPECT_EQ(edit.StartText(), QStringLiteral("<IFRAME SRC=\"../other/y.htm\" FRAMEBORDER=0 SCROLLING=\"No\" ID=f>"));
    EXPECT_TRUE(edit.EndText().isEmpty());
    for (const char *border : {"FRAMEBORDER=1", "FRAMEBORDER=yes", "SRC=a"}) {
        TfFloatingFrame other(Context(), nullptr);
        other.ReadTag(QStringLiteral("<IFRAME %1>").arg(QLatin1String(border)));
        EXPECT_TRUE(Field<QCheckBox>(other, "chkBorder")->isChecked()) << border;
    }
}

// The dialogs as the program opens them, on a document.
class FrameCommands : public FrameDialogs
{
protected:
    void SetUp() override
    {
        FrameDialogs::SetUp();
        m_tabs.resize(640, 480);
        m_tabs.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tabs));
    }
    TvqRichHTML *Editor() { return m_tabs.ActiveEditor(); }

    TvqHTMLTab m_tabs;
    TTagDialogCommands m_commands{&m_tabs, [] { return QStringLiteral("/web"); }, &m_tabs};
};

TEST_F(FrameCommands, TheWizardInsertsItsBlockAtTheCaretInOneUndoStep)
{
    Editor()->InsertTag(QStringLiteral("<BODY>"), QString(), false);
    Editor()->SetModified(false);
    Editor()->SetSel(1, 4);
    WhenShown<TfFrameWizard>([](TfFrameWizard *wizard) {
        for (int page = 1; page <= 4; ++page)
            wizard->btnNextClick();
    });
    {
        // The wizard waits for a long run over the document to end.
        const TLongRun run;
        m_commands.RunAction(vqFrameWizard);
        QCoreApplication::processEvents();
        EXPECT_FALSE(QApplication::activeModalWidget());
    }
    QTRY_VERIFY(Editor()->Modified());
    const QString block = QStringLiteral("<FRAMESET COLS=\"100%\" ROWS=\"50%,*\">") +
                          FrameLine(1, QStringLiteral("Frame 1")) + FrameLine(1, QStringLiteral("Frame 2")) + CrLf +
                          QStringLiteral("</FRAMESET>");
    EXPECT_EQ(Editor()->Text().toStdString(), (u'<' + block + QStringLiteral("BODY>")).toStdString())
        << "put in at the caret, the selection kept";
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<BODY>"));
}

TEST_F(FrameCommands, EditTagRewritesAFrameInPlace)
{
    Editor()->InsertTag(QStringLiteral("x <FRAME SRC=\"a.htm\"> y"), QString(), false);
    Editor()->SetModified(false);
    Editor()->SetSel(5, 0);
    WhenShown<TfFrame>([](TfFrame *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("top"));
        dialog->findChild<QCheckBox *>(QStringLiteral("chkNoResize"))->setChecked(true);
        dialog->accept();
    });
    m_commands.mnuPE_EditTagClick();
    QTRY_VERIFY(Editor()->Modified());
    EXPECT_EQ(Editor()->Text(), QStringLiteral("x <FRAME SRC=\"a.htm\" NAME=\"top\" NORESIZE> y"));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("x <FRAME SRC=\"a.htm\"> y"));
}

TEST_F(FrameCommands, CancelledDialogsLeaveTheDocumentAlone)
{
    for (TvqAction action : {vqFrameWizard, vqFrame, vqFrameSet, vqFloatingFrame}) {
        WhenShown<QDialog>([](QDialog *dialog) { dialog->reject(); });
        m_commands.RunAction(action);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }
    EXPECT_TRUE(Editor()->Text().isEmpty());
    EXPECT_FALSE(Editor()->Modified());
}

} // namespace
