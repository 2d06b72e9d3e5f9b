// SPDX-License-Identifier: GPL-3.0-or-later
// The table markup: the size picker driven by the mouse, the wizard's whole
// table, and the table, row and cell tags built and edited.

#include "TTagDialogCommands.h"
#include "TableText.h"
#include "TagDialogTest.h"
#include "TfTable.h"
#include "TfTableAttribute.h"
#include "TfTableRow.h"
#include "TfTableWizard.h"
#include "TvqTableSizer.h"

#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "TagText.h"
#include "TvqColorCombo.h"
#include "TvqColorSelection.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"
#include "TvqUpDownEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString Lines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

class TableDialogs : public TagDialogTest
{
protected:
    // Types into an up-down field and leaves it, as the user would.
    static void Type(const QWidget &dialog, const char *name, const QString &text)
    {
        auto *field = Field<TvqUpDownEdit>(dialog, name);
        field->SetText(text);
        emit field->editingFinished();
    }
    static void SetCell(TfTableWizard &wizard, int row, int column, const QString &text)
    {
        Field<QTableWidget>(wizard, "grdTable")->setItem(row, column, new QTableWidgetItem(text));
    }
    static void Select(TfTableWizard &wizard, int row, int column)
    {
        Field<QTableWidget>(wizard, "grdTable")->setCurrentCell(row, column);
    }
};

TEST_F(TableDialogs, QuickTableInBothTagCases)
{
    EXPECT_EQ(QuickTableText(2, 2), Lines({"<TABLE>", "<TR>", "\t<TD></TD>", "\t<TD></TD>", "</TR>", "<TR>",
                                           "\t<TD></TD>", "\t<TD></TD>", "</TR>", "</TABLE>"}));
    SetLowerCaseTags(true);
    EXPECT_EQ(QuickTableText(1, 1), Lines({"<table>", "<tr>", "\t<td></td>", "</tr>", "</table>"}));
}

// A 3 by 2 table: texts in some cells, one cell never visited, one whose
// blank was deleted, attributes on two cells, and a caption.
void Fill3x2(TfTableWizard &wizard)
{
    const auto field = [&wizard](const char *name) { return wizard.findChild<QWidget *>(QLatin1String(name)); };
    auto *rows = static_cast<TvqUpDownEdit *>(field("txtRows"));
    rows->SetText(QStringLiteral("3"));
    emit rows->editingFinished();
    auto *cols = static_cast<TvqUpDownEdit *>(field("txtCols"));
    cols->stepBy(1);
    auto *grid = static_cast<QTableWidget *>(field("grdTable"));
    grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("a")));
    grid->setCurrentCell(0, 1);
    static_cast<QComboBox *>(field("cboCellAlign"))->setCurrentIndex(1); // Center
    static_cast<QLineEdit *>(field("txtCellWidth"))->setText(QStringLiteral("50"));
    static_cast<QCheckBox *>(field("chkNoWrap"))->setChecked(true);
    grid->item(0, 1)->setText(QStringLiteral("b"));
    grid->setCurrentCell(1, 0);
    grid->item(1, 0)->setText(QString()); // the blank deleted
    grid->setCurrentCell(2, 1);
    static_cast<QCheckBox *>(field("chkCellBackground"))->setChecked(true);
    static_cast<QToolButton *>(field("spdCellColor"))->click();
    auto *palette = static_cast<TvqColorSelection *>(field("vqCellColorSelect"));
    EXPECT_TRUE(palette->isVisible());
    emit palette->OnColorSelect(QColor(0x00, 0x80, 0xFF));
    EXPECT_FALSE(palette->isVisible());
    static_cast<TvqUpDownEdit *>(field("txtCellColSpan"))->SetText(QStringLiteral("2"));
    grid->item(2, 1)->setText(QStringLiteral("f"));
    static_cast<QLineEdit *>(field("txtCaption"))->setText(QStringLiteral("Sums"));
    static_cast<TvqUpDownEdit *>(field("txtTblWidth"))->SetText(QStringLiteral("80%"));
    static_cast<QComboBox *>(field("cboTblAlign"))->setCurrentIndex(1); // CENTER
}

TEST_F(TableDialogs, WizardTableByteForByteInBothTagCases)
{
    TfTableWizard upper(Context(), nullptr);
    Fill3x2(upper);
    EXPECT_EQ(upper.StartText(), Lines({"<TABLE WIDTH=\"80%\" BORDER=0 ALIGN=\"CENTER\">", "\t<CAPTION>Sums</CAPTION>",
                                        "", "<TR>", "\t<TD>a</TD>", "\t<TD ALIGN=\"CENTER\" WIDTH=\"50\" NOWRAP>b</TD>",
                                        "</TR>", "<TR>", "\t<TD></TD>", "\t<TD> </TD>", "</TR>", "<TR>", "\t<TD> </TD>",
                                        "\t<TD COLSPAN=2 BGCOLOR=\"#0080FF\">f</TD>", "</TR>", "</TABLE>"}));
    EXPECT_EQ(upper.EndText(), QString());
    EXPECT_FALSE(upper.ReplacesSelection());

    SetLowerCaseTags(true);
    TfTableWizard lower(Context(), nullptr);
    Fill3x2(lower);
    EXPECT_EQ(lower.StartText(), Lines({"<table width=\"80%\" border=0 align=\"center\">", "\t<caption>Sums</caption>",
                                        "", "<tr>", "\t<td>a</td>", "\t<td align=\"center\" width=\"50\" nowrap>b</td>",
                                        "</tr>", "<tr>", "\t<td></td>", "\t<td> </td>", "</tr>", "<tr>", "\t<td> </td>",
                                        "\t<td colspan=2 bgcolor=\"#0080FF\">f</td>", "</tr>", "</table>"}));
}

TEST_F(TableDialogs, WizardDropsRemovedRowsAndGrowsFreshOnes)
{
    TfTableWizard wizard(Context(), nullptr);
    Type(wizard, "txtRows", QStringLiteral("3"));
    SetCell(wizard, 2, 0, QStringLiteral("gone"));
    Select(wizard, 2, 0);
    Field<QCheckBox>(wizard, "chkNoWrap")->setChecked(true);
    Select(wizard, 0, 0);
    Type(wizard, "txtRows", QStringLiteral("2"));
    Type(wizard, "txtRows", QStringLiteral("x")); // not a number: one row
    EXPECT_EQ(Field<QTableWidget>(wizard, "grdTable")->rowCount(), 1);
    Type(wizard, "txtRows", QStringLiteral("3"));
    EXPECT_EQ(wizard.StartText(), Lines({"<TABLE BORDER=0>", "<TR>", "\t<TD> </TD>", "</TR>", "<TR>", "\t<TD> </TD>",
                                         "</TR>", "<TR>", "\t<TD> </TD>", "</TR>", "</TABLE>"}));
    // Visiting the fresh cell shows its own empty fields.
    Select(wizard, 2, 0);
    EXPECT_FALSE(Field<QCheckBox>(wizard, "chkNoWrap")->isChecked());

    Field<QPushButton>(wizard, "btnClear")->click();
    EXPECT_EQ(Field<TvqUpDownEdit>(wizard, "txtRows")->Text(), QStringLiteral("1"));
    EXPECT_EQ(wizard.StartText(), Lines({"<TABLE BORDER=0>", "<TR>", "\t<TD> </TD>", "</TR>", "</TABLE>"}));
}

TEST_F(TableDialogs, WizardTableWidthsAndColours)
{
    TfTableWizard wizard(Context(), nullptr);
    Field<TvqUpDownEdit>(wizard, "txtTblWidth")->SetText(QStringLiteral("400"));
    Field<TvqUpDownEdit>(wizard, "txtPadding")->SetText(QStringLiteral("2"));
    Field<TvqUpDownEdit>(wizard, "txtSpacing")->SetText(QStringLiteral("3"));
    Field<TvqUpDownEdit>(wizard, "txtBorder")->SetText(QString());
    Field<QComboBox>(wizard, "cboTblVAlign")->setEditText(QStringLiteral("Top"));
    auto *background = Field<QCheckBox>(wizard, "chkTblBackground");
    EXPECT_FALSE(Field<QToolButton>(wizard, "spdTblColor")->isEnabled());
    background->setChecked(true);
    EXPECT_TRUE(Field<QToolButton>(wizard, "spdTblColor")->isEnabled());
    // Untouched, the table's colour is black.
    EXPECT_EQ(wizard.StartText(),
              Lines({"<TABLE CELLPADDING=2 CELLSPACING=3 WIDTH=400 VALIGN=\"TOP\" BGCOLOR=\"#000000\">", "<TR>",
                     "\t<TD> </TD>", "</TR>", "</TABLE>"}));
    emit Field<TvqColorSelection>(wizard, "vqTblColorSelect")->OnColorSelect(QColor(0xAB, 0xCD, 0xEF));
    EXPECT_TRUE(wizard.StartText().contains(QLatin1String("BGCOLOR=\"#ABCDEF\">")));
}

TEST_F(TableDialogs, TableDialogWidthsAndEditKeepsUnknownAttributes)
{
    TfTable table(Context(), nullptr);
    Field<TvqUpDownEdit>(table, "txtWidth")->SetText(QStringLiteral("80%"));
    Field<TvqUpDownEdit>(table, "txtBorder")->SetText(QStringLiteral("1"));
    Field<QComboBox>(table, "cboAlign")->setCurrentIndex(2);
    Field<TvqColorCombo>(table, "vqColorBG")->SetColorText(QStringLiteral("Red"));
    EXPECT_EQ(table.StartText(), QStringLiteral("<TABLE BORDER=1 ALIGN=\"RIGHT\" BGCOLOR=\"Red\" WIDTH=\"80%\">"));
    EXPECT_EQ(table.EndText(), QStringLiteral("</TABLE>"));

    TfTable edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<table id=\"t\" cellpadding=4 width=\"50%\" onclick=\"go()\" border=2>"));
    EXPECT_EQ(Field<TvqUpDownEdit>(edit, "txtPadding")->Text(), QStringLiteral("4"));
    Field<TvqUpDownEdit>(edit, "txtWidth")->SetText(QStringLiteral("400"));
    Field<TvqUpDownEdit>(edit, "txtBorder")->SetText(QString());
    EXPECT_EQ(edit.StartText(), QStringLiteral("<table id=\"t\" cellpadding=4 width=400 onclick=\"go()\">"));
    EXPECT_EQ(edit.EndText(), QString());
}

TEST_F(TableDialogs, TableBrowseMakesTheImageRelative)
{
    TfTableAttribute cell(Context(), false, nullptr);
    Scripted().fileNames = {QStringLiteral("/web/img/Cell.gif")};
    Field<QPushButton>(cell, "btnBkImage")->click();
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{QStringLiteral("Select an Image")});
    EXPECT_EQ(cell.StartText(), QStringLiteral("<TD BACKGROUND=\"img/Cell.gif\">"));
}

TEST_F(TableDialogs, RowAttributesAreQuoted)
{
    SetLowerCaseTags(true);
    TfTableRow row(Context(), nullptr);
    EXPECT_EQ(row.windowTitle(), QStringLiteral("Table Row"));
    Field<QComboBox>(row, "cboAlign")->setCurrentIndex(1);
    Field<QComboBox>(row, "cboVAlign")->setCurrentIndex(3);
    Field<TvqColorCombo>(row, "vqColorBG")->SetColorText(QStringLiteral("#00ff80"));
    EXPECT_EQ(row.StartText(), QStringLiteral("<tr align=\"Center\" valign=\"Baseline\" bgcolor=\"#00FF80\">"));
    EXPECT_EQ(row.EndText(), QStringLiteral("</tr>"));

    TfTableRow edit(Context(), nullptr);
    edit.ReadTag(QStringLiteral("<TR CLASS=\"odd\" BGCOLOR=\"Red\">"));
    EXPECT_EQ(Field<TvqColorCombo>(edit, "vqColorBG")->ColorText(), QStringLiteral("Red"));
    Field<TvqColorCombo>(edit, "vqColorBG")->SetColorText(QString());
    EXPECT_EQ(edit.StartText(), QStringLiteral("<TR CLASS=\"odd\">"));
}

TEST_F(TableDialogs, CellSizesSpansAndNoWrap)
{
    TfTableAttribute header(Context(), true, nullptr);
    EXPECT_EQ(header.windowTitle(), QStringLiteral("Table Header"));
    Field<QLineEdit>(header, "txtCellWidth")->setText(QStringLiteral("25%"));
    Field<QLineEdit>(header, "txtCellHeight")->setText(QStringLiteral("40"));
    Field<TvqUpDownEdit>(header, "txtCellColSpan")->SetText(QStringLiteral("2"));
    Field<QCheckBox>(header, "chkNoWrap")->setChecked(true);
    EXPECT_EQ(header.StartText(), QStringLiteral("<TH COLSPAN=2 WIDTH=\"25%\" HEIGHT=40 NOWRAP>"));
    EXPECT_EQ(header.EndText(), QStringLiteral("</TH>"));

    TfTableAttribute data(Context(), false, nullptr);
    EXPECT_EQ(data.windowTitle(), QStringLiteral("Table Data"));
    data.ReadTag(QStringLiteral("<TD nowrap ROWSPAN=3 ID=\"c\">"));
    auto *noWrap = Field<QCheckBox>(data, "chkNoWrap");
    EXPECT_TRUE(noWrap->isChecked());
    EXPECT_EQ(Field<TvqUpDownEdit>(data, "txtCellRowSpan")->Text(), QStringLiteral("3"));
    noWrap->setChecked(false);
    EXPECT_EQ(data.StartText(), QStringLiteral("<TD ROWSPAN=3 ID=\"c\">"));
    EXPECT_EQ(data.EndText(), QString());
}

// The picker under a real mouse: it follows the pointer and a click picks.
TEST_F(TableDialogs, SizePickerFollowsTheMouseAndPicks)
{
    QWidget window;
    window.resize(300, 300);
    TvqTableSizer sizer(&window);
    sizer.show();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy picked(&sizer, &TvqTableSizer::OnCellSelect);
    QTest::mouseMove(sizer.Cell(1, 1), QPoint(8, 8));
    QTest::mouseMove(sizer.Cell(3, 2), QPoint(8, 8));
    QTRY_COMPARE(sizer.StatusText(), QStringLiteral("3 x 2 Table"));
    const auto highlighted = [&sizer] {
        int count = 0;
        for (const TvqTableCell *cell : sizer.findChildren<TvqTableCell *>())
            count += cell->Highlighted();
        return count;
    };
    EXPECT_EQ(highlighted(), 6);
    EXPECT_TRUE(sizer.Cell(3, 2)->Highlighted());
    EXPECT_FALSE(sizer.Cell(3, 3)->Highlighted());
    // Back towards the corner: cells outside the smaller table turn white.
    QTest::mouseMove(sizer.Cell(2, 1), QPoint(8, 8));
    QTRY_COMPARE(sizer.StatusText(), QStringLiteral("2 x 1 Table"));
    EXPECT_EQ(highlighted(), 2);
    QTest::mouseClick(sizer.Cell(2, 1), Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked.at(0).at(1).toInt(), 2);
    EXPECT_EQ(picked.at(0).at(2).toInt(), 1);
    EXPECT_FALSE(sizer.isVisible());
    EXPECT_EQ(highlighted(), 0);
    EXPECT_TRUE(sizer.StatusText().isEmpty());
}

class QuickTable : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        auto *layout = new QVBoxLayout(&m_window);
        m_speedbar = new QWidget;
        m_button = new QToolButton(m_speedbar);
        m_button->setEnabled(false);
        layout->addWidget(m_speedbar);
        layout->addWidget(m_tabs);
        m_quick = std::make_unique<TQuickTable>(m_tabs, m_button, m_speedbar, &m_window);
        m_window.resize(640, 480);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }
    TvqTableSizer *Sizer() const { return m_quick->Sizer(); }
    void Pick(int row, int column)
    {
        QTest::mouseMove(Sizer()->Cell(row, column), QPoint(8, 8));
        QTest::mouseClick(Sizer()->Cell(row, column), Qt::LeftButton, {}, QPoint(8, 8));
    }

    QWidget m_window;
    QWidget *m_speedbar;
    QToolButton *m_button;
    TvqHTMLTab *m_tabs = new TvqHTMLTab;
    std::unique_ptr<TQuickTable> m_quick;
};

TEST_F(QuickTable, TheButtonTogglesThePickerAndAPickInsertsOneUndoStep)
{
    EXPECT_TRUE(m_button->isEnabled());
    TvqRichHTML *editor = m_tabs->ActiveEditor();
    editor->InsertTag(QStringLiteral("ab"), QString(), false);
    editor->SetModified(false);
    editor->SetSel(1, 0);
    QTest::mouseClick(m_button, Qt::LeftButton);
    ASSERT_TRUE(Sizer()->isVisible());
    const QPoint place = Sizer()->pos();
    EXPECT_EQ(place.x(), m_button->mapTo(&m_window, QPoint()).x() + 10);
    EXPECT_EQ(place.y(), m_speedbar->geometry().bottom() + 1 - 7);
    QTest::mouseClick(m_button, Qt::LeftButton);
    EXPECT_FALSE(Sizer()->isVisible());
    QTest::mouseClick(m_button, Qt::LeftButton);
    Pick(1, 2);
    EXPECT_FALSE(Sizer()->isVisible());
    EXPECT_EQ(editor->Text(), u'a' + QuickTableText(1, 2) + u'b');
    EXPECT_TRUE(editor->Modified());
    editor->Undo();
    EXPECT_EQ(editor->Text(), QStringLiteral("ab"));
}

TEST_F(QuickTable, AClickElsewhereHidesThePicker)
{
    QTest::mouseClick(m_button, Qt::LeftButton);
    ASSERT_TRUE(Sizer()->isVisible());
    QTest::mouseClick(m_tabs->ActiveEditor()->viewport(), Qt::LeftButton);
    EXPECT_FALSE(Sizer()->isVisible());
}

TEST_F(QuickTable, APickWaitsForALongRunToEnd)
{
    TvqRichHTML *editor = m_tabs->ActiveEditor();
    QTest::mouseClick(m_button, Qt::LeftButton);
    {
        const TLongRun run;
        Pick(1, 1);
        EXPECT_TRUE(editor->Text().isEmpty());
    }
    QTRY_COMPARE(editor->Text(), QuickTableText(1, 1));
}

// The wizard and the cell dialog as the commands open them.
class TableCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        SetLowerCaseTags(false);
        m_tabs.resize(640, 480);
        m_tabs.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tabs));
        Editor()->InsertTag(QStringLiteral("<P>x</P>"), QString(), false);
        Editor()->SetModified(false);
    }
    TvqRichHTML *Editor() { return m_tabs.ActiveEditor(); }
    // Runs act on the next modal dialog once it is shown and active.
    void WhenShown(std::function<void(QDialog *)> act)
    {
        auto *poll = new QTimer(&m_tabs);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, &m_tabs, [poll, act] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isActiveWindow())
                return;
            poll->deleteLater();
            poll->stop();
            act(dialog);
        });
        poll->start();
    }

    TvqHTMLTab m_tabs;
    TTagDialogCommands m_commands{&m_tabs, [] { return QStringLiteral("/web"); }, &m_tabs};
};

TEST_F(TableCommands, TheWizardInsertsItsTableAtTheCaretInOneUndoStep)
{
    Editor()->SetSel(3, 1);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Table Wizard"));
        auto *cols = dialog->findChild<TvqUpDownEdit *>(QStringLiteral("txtCols"));
        cols->stepBy(1);
        dialog->accept();
    });
    m_commands.RunAction(vqTableWizard);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<P>") + Lines({"<TABLE BORDER=0>", "<TR>", "\t<TD> </TD>",
                                                               "\t<TD> </TD>", "</TR>", "</TABLE>x</P>"}));
    EXPECT_TRUE(Editor()->Modified());
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<P>x</P>"));
}

TEST_F(TableCommands, EditTagOnACellOpensItsDialogAndCancelChangesNothing)
{
    Editor()->SetSel(0, 0);
    Editor()->InsertTag(QStringLiteral("<TH ALIGN=\"LEFT\">"), QString(), false);
    Editor()->SetModified(false);
    Editor()->SetSel(2, 0);
    WhenShown([](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Table Header"));
        dialog->findChild<QCheckBox *>(QStringLiteral("chkNoWrap"))->setChecked(true);
        dialog->reject();
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_FALSE(Editor()->Modified());
    Editor()->SetSel(2, 0);
    WhenShown([](QDialog *dialog) {
        dialog->findChild<QCheckBox *>(QStringLiteral("chkNoWrap"))->setChecked(true);
        dialog->accept();
    });
    m_commands.mnuPE_EditTagClick();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<TH ALIGN=\"LEFT\" NOWRAP><P>x</P>"));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<TH ALIGN=\"LEFT\"><P>x</P>"));
}

TEST_F(TableCommands, TheWizardWaitsForALongRunToEnd)
{
    Editor()->SetSel(0, 0);
    int shown = 0;
    WhenShown([&shown](QDialog *dialog) {
        ++shown;
        dialog->accept();
    });
    {
        const TLongRun run;
        m_commands.RunAction(vqTableWizard);
        QTest::qWait(20);
        EXPECT_EQ(shown, 0);
    }
    QTRY_COMPARE(shown, 1);
    EXPECT_TRUE(Editor()->Text().startsWith(QLatin1String("<TABLE BORDER=0>")));
}

} // namespace
