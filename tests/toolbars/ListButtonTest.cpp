// SPDX-License-Identifier: GPL-3.0-or-later
// The custom menu buttons: their stored menus, the older stored layout, and
// the dialog that edits them.

#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TfListBtnCustomize.h"
#include "TvqListButton.h"
#include "TvqListMenuItem.h"
#include "WhenShown.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("Software\\Velicort\\CustomButtons");

void Store(int n, const char *field, const QString &value)
{
    WriteRegValue(Key, QStringLiteral("Button%1_%2").arg(n).arg(QLatin1String(field)), value);
}

QString Stored(int n, const char *field)
{
    return ReadRegValue(Key, QStringLiteral("Button%1_%2").arg(n).arg(QLatin1String(field)), QStringLiteral("none"));
}

QStringList MenuTexts(const TvqListButton &button)
{
    QStringList texts;
    for (const QAction *action : button.Menu()->actions())
        texts.append(action->isSeparator() ? QStringLiteral("|") + action->text() : action->text());
    return texts;
}

TEST(ListButton, AFreshButtonHasOnlyTheFixedEntries)
{
    TvqListButton button;
    button.setText(QStringLiteral("Custom 1"));
    button.SetRegistryLocation(Key);
    button.ReadFromRegistry();
    EXPECT_EQ(MenuTexts(button), (QStringList{"Customize...", "|"}));
    EXPECT_EQ(button.text(), QStringLiteral("Custom 1"));
}

TEST(ListButton, StoredItemsAreReadByTheirRules)
{
    WriteRegValue(Key, QStringLiteral("ToolbarName"), QStringLiteral("Mine"));
    Store(0, "Caption", QStringLiteral("A caption far too long"));
    Store(0, "StartTag", QStringLiteral("<EM>"));
    Store(0, "EndTag", QStringLiteral("</EM>"));
    Store(0, "Action", QStringLiteral("x1"));
    Store(1, "Caption", QStringLiteral("-"));
    Store(1, "Action", QStringLiteral("0"));
    Store(2, "Caption", QString());
    Store(2, "Filename", QStringLiteral("/tmp/f.htm"));
    Store(2, "Action", QStringLiteral("32"));
    Store(4, "Caption", QStringLiteral("after the gap"));
    TvqListButton button;
    button.SetRegistryLocation(Key);
    button.ReadFromRegistry();

    EXPECT_EQ(button.text(), QStringLiteral("Mine"));
    EXPECT_EQ(MenuTexts(button), (QStringList{"Customize...", "|", "A caption far t  ", "|", "Untitled  "}));
    const QList<TvqListMenuItem *> items = button.Items();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->Action(), vqSimpleTag);
    EXPECT_EQ(items[0]->TagStart(), QStringLiteral("<EM>"));
    EXPECT_EQ(items[0]->TagEnd(), QStringLiteral("</EM>"));
    EXPECT_EQ(items[1]->Action(), vqSeparator);
    EXPECT_EQ(items[2]->Action(), vqInsertFile);
    EXPECT_EQ(items[2]->Filename(), QStringLiteral("/tmp/f.htm"));

    // Reading again replaces the items.
    button.ReadFromRegistry();
    EXPECT_EQ(button.Items().size(), 3);
}

TEST(ListButton, TitlesOfTheOlderLayoutAreConverted)
{
    Store(0, "Caption", QStringLiteral("Custom 1"));
    Store(0, "Hint", QStringLiteral("Emphasis"));
    Store(1, "Caption", QStringLiteral("Kept"));
    Store(1, "Hint", QStringLiteral("Custom 2"));
    TvqListButton button;
    button.SetRegistryLocation(Key);
    button.ReadFromRegistry();
    EXPECT_EQ(button.Items()[0]->Title(), QStringLiteral("Emphasis"));
    EXPECT_EQ(button.Items()[1]->Title(), QStringLiteral("Kept"));
    EXPECT_EQ(Stored(0, "Caption"), QStringLiteral("Emphasis"));
    EXPECT_EQ(Stored(0, "Hint"), QString());
    EXPECT_EQ(Stored(1, "Hint"), QStringLiteral("Custom 2"));
}

TEST(ListButton, WritingAndReadingKeepsTheItems)
{
    TvqListButton button;
    button.SetRegistryLocation(Key);
    button.setText(QStringLiteral("Tags"));
    TvqListMenuItem *tag = button.AddItem(QStringLiteral("Bold"));
    tag->SetTagStart(QStringLiteral("<B>"));
    tag->SetTagEnd(QStringLiteral("</B>"));
    tag->SetFilename(QStringLiteral("ignored"));
    button.AddItem(QStringLiteral("x"))->SetAction(vqSeparator);
    TvqListMenuItem *file = button.AddItem(QStringLiteral("Footer"));
    file->SetAction(vqInsertFile);
    file->SetFilename(QStringLiteral("/tmp/footer.htm"));
    button.WriteToRegistry();
    EXPECT_EQ(Stored(0, "Caption"), QStringLiteral("Bold  "));
    EXPECT_EQ(Stored(1, "Caption"), QStringLiteral("-"));
    EXPECT_EQ(Stored(1, "Action"), QStringLiteral("31"));
    EXPECT_EQ(Stored(2, "Action"), QStringLiteral("32"));

    // Read and written again, the titles do not gather blanks.
    TvqListButton again;
    again.SetRegistryLocation(Key);
    again.ReadFromRegistry();
    again.WriteToRegistry();
    again.ReadFromRegistry();
    EXPECT_EQ(again.text(), QStringLiteral("Tags"));
    EXPECT_EQ(MenuTexts(again), (QStringList{"Customize...", "|", "Bold  ", "|", "Footer  "}));
    EXPECT_EQ(again.Items()[0]->TagEnd(), QStringLiteral("</B>"));
    EXPECT_EQ(again.Items()[2]->Filename(), QStringLiteral("/tmp/footer.htm"));
}

TEST(ListButton, ChoosingAnItemRaisesItsEvent)
{
    TvqListButton button;
    TvqListMenuItem *item = button.AddItem(QStringLiteral("Bold"));
    TvqListMenuItem *chosen = nullptr;
    QObject::connect(&button, &TvqListButton::OnItemClick, &button, [&](TvqListMenuItem *i) { chosen = i; });
    item->trigger();
    EXPECT_EQ(chosen, item);

    // The menu drops down under the button, unless switched off.
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return button.Menu()->isVisible(); }));
    button.Menu()->hide();
    button.SetDropDown(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(button.Menu()->isVisible());
}

class ListBtnCustomize : public testing::Test
{
protected:
    QStringList Rows(const TfListBtnCustomize &dialog) const
    {
        QStringList rows;
        for (int i = 0; i < dialog.lvwItems->topLevelItemCount(); ++i)
            rows.append(dialog.lvwItems->topLevelItem(i)->text(0));
        return rows;
    }
    void Select(TfListBtnCustomize &dialog, int row) const
    {
        dialog.lvwItems->setCurrentItem(dialog.lvwItems->topLevelItem(row));
    }
    // Renames the selected item as the in-place editor would.
    void Rename(TfListBtnCustomize &dialog, const QString &title) const
    {
        dialog.lvwItems->currentItem()->setText(0, title);
    }
    TvqListMenuItem *Preview(TfListBtnCustomize &dialog, int row) const { return dialog.vqPreview->Items().at(row); }

    TvqListButton m_button;
};

TEST_F(ListBtnCustomize, OpeningListsTheItemsOrAddsOne)
{
    TfListBtnCustomize empty(m_button);
    EXPECT_EQ(Rows(empty), QStringList{"[Untitled]"});
    EXPECT_EQ(empty.lvwItems->currentItem(), empty.lvwItems->topLevelItem(0));
    EXPECT_TRUE(empty.optTags->isChecked());

    m_button.setText(QStringLiteral("Custom 3"));
    TvqListMenuItem *tag = m_button.AddItem(QStringLiteral("Bold"));
    tag->SetTagStart(QStringLiteral("<B>\r\n"));
    m_button.AddItem(QStringLiteral("-"))->SetAction(vqSeparator);
    TfListBtnCustomize dialog(m_button);
    EXPECT_EQ(Rows(dialog), (QStringList{"Bold", TfListBtnCustomize::SeparatorLine()}));
    EXPECT_EQ(dialog.txtTitle->text(), QStringLiteral("Custom 3"));
    EXPECT_EQ(dialog.memStartTag->toPlainText(), QStringLiteral("<B>\n"));
    EXPECT_TRUE(dialog.memStartTag->isEnabled());

    // A separator has neither choice.
    Select(dialog, 1);
    EXPECT_FALSE(dialog.optTags->isChecked());
    EXPECT_FALSE(dialog.optFile->isChecked());
    EXPECT_FALSE(dialog.optTags->isEnabled());
    EXPECT_FALSE(dialog.memStartTag->isEnabled());
    EXPECT_TRUE(dialog.memStartTag->toPlainText().isEmpty());
    EXPECT_FALSE(dialog.btnBrowse->isEnabled());

    // The title goes to the preview as it is typed.
    QTest::keyClicks(dialog.txtTitle, QStringLiteral("-more-than-fifteen"));
    EXPECT_EQ(dialog.txtTitle->text().size(), 15);
    EXPECT_EQ(dialog.vqPreview->text(), dialog.txtTitle->text());
}

TEST_F(ListBtnCustomize, SelectingAnotherItemStoresTheFieldsFirst)
{
    m_button.AddItem(QStringLiteral("One"));
    m_button.AddItem(QStringLiteral("Two"));
    TfListBtnCustomize dialog(m_button);
    dialog.memStartTag->setPlainText(QStringLiteral("<DIV>\n"));
    dialog.memEndTag->setPlainText(QStringLiteral("</DIV>"));
    Select(dialog, 1);
    EXPECT_EQ(Preview(dialog, 0)->TagStart(), QStringLiteral("<DIV>\r\n"));
    EXPECT_EQ(Preview(dialog, 0)->TagEnd(), QStringLiteral("</DIV>"));

    dialog.optFile->setChecked(true);
    EXPECT_TRUE(dialog.btnBrowse->isEnabled());
    EXPECT_FALSE(dialog.memStartTag->isEnabled());
    Scripted().fileNames = {QStringLiteral("/tmp/part.htm")};
    QTest::mouseClick(dialog.btnBrowse, Qt::LeftButton);
    EXPECT_EQ(Scripted().fileDialogCaptions, QStringList{"Select HTML Document"});
    Select(dialog, 0);
    EXPECT_EQ(Preview(dialog, 1)->Action(), vqInsertFile);
    EXPECT_EQ(Preview(dialog, 1)->Filename(), QStringLiteral("/tmp/part.htm"));
    EXPECT_EQ(dialog.memStartTag->toPlainText(), QStringLiteral("<DIV>\n"));
    Select(dialog, 1);
    EXPECT_TRUE(dialog.optFile->isChecked());
    EXPECT_EQ(dialog.txtFilename->text(), QStringLiteral("/tmp/part.htm"));
    EXPECT_TRUE(dialog.memStartTag->toPlainText().isEmpty());

    // A memo takes at most 1000 characters.
    Select(dialog, 0);
    dialog.memEndTag->setPlainText(QString(1200, u'x'));
    EXPECT_EQ(dialog.memEndTag->toPlainText().size(), TfListBtnCustomize::MaxTagLength);
}

TEST_F(ListBtnCustomize, SeventeenItemsAtTheMost)
{
    TfListBtnCustomize dialog(m_button);
    for (int i = 1; i < 16; ++i)
        dialog.AddItemClick();
    dialog.AddSeparatorClick();
    ASSERT_EQ(dialog.lvwItems->topLevelItemCount(), 17);
    EXPECT_TRUE(Scripted().messages.isEmpty());
    dialog.AddItemClick();
    dialog.AddSeparatorClick();
    EXPECT_EQ(dialog.lvwItems->topLevelItemCount(), 17);
    EXPECT_EQ(dialog.vqPreview->Items().size(), 17);
    ASSERT_EQ(Scripted().messages.size(), 2);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("A maximum of 17 items may be added."));
    EXPECT_EQ(Scripted().messages[0].kind, TMsgKind::Information);
}

TEST_F(ListBtnCustomize, RenamingFollowsTheTitleRules)
{
    TfListBtnCustomize dialog(m_button);
    Rename(dialog, QStringLiteral("-"));
    EXPECT_EQ(Rows(dialog), QStringList{TfListBtnCustomize::SeparatorLine()});
    EXPECT_EQ(Preview(dialog, 0)->Action(), vqSeparator);
    EXPECT_FALSE(dialog.optTags->isEnabled());

    // A separator given a title is a tag item again.
    Rename(dialog, QStringLiteral("Quote"));
    EXPECT_EQ(Preview(dialog, 0)->Action(), vqSimpleTag);
    EXPECT_EQ(Preview(dialog, 0)->Title(), QStringLiteral("Quote"));
    EXPECT_TRUE(dialog.optTags->isChecked());
    EXPECT_TRUE(Scripted().messages.isEmpty());

    Rename(dialog, QStringLiteral("Sixteen letters!"));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].text, QStringLiteral("Menu titles must be 15 characters or less in length."));
    EXPECT_EQ(Rows(dialog), QStringList{"Sixteen letters"});
    EXPECT_EQ(Preview(dialog, 0)->Title(), QStringLiteral("Sixteen letters"));
}

TEST_F(ListBtnCustomize, UpAndDownSwapWithTheNeighbour)
{
    for (const char *title : {"A", "B", "C"})
        m_button.AddItem(QLatin1String(title))->SetTagStart(QLatin1String(title).toString().toLower());
    TfListBtnCustomize dialog(m_button);
    dialog.MoveItem(-1); // at the top: nothing
    EXPECT_EQ(Rows(dialog), (QStringList{"A", "B", "C"}));
    dialog.MoveItem(+1);
    EXPECT_EQ(Rows(dialog), (QStringList{"B", "A", "C"}));
    EXPECT_EQ(dialog.lvwItems->currentItem()->text(0), QStringLiteral("A"));
    EXPECT_EQ(dialog.memStartTag->toPlainText(), QStringLiteral("a"));
    EXPECT_EQ(Preview(dialog, 0)->TagStart(), QStringLiteral("b"));
    EXPECT_EQ(Preview(dialog, 1)->Title(), QStringLiteral("A"));
    QTest::mouseClick(dialog.btnDown, Qt::LeftButton);
    QTest::mouseClick(dialog.btnDown, Qt::LeftButton); // at the bottom: nothing
    EXPECT_EQ(Rows(dialog), (QStringList{"B", "C", "A"}));
    EXPECT_EQ(dialog.vqPreview->Items().at(2)->TagStart(), QStringLiteral("a"));
}

TEST_F(ListBtnCustomize, DeleteRemovesTheItemFromListAndPreview)
{
    m_button.AddItem(QStringLiteral("A"));
    m_button.AddItem(QStringLiteral("B"));
    TfListBtnCustomize dialog(m_button);
    dialog.memStartTag->setPlainText(QStringLiteral("gone"));
    dialog.DeleteItemClick();
    EXPECT_EQ(Rows(dialog), QStringList{"B"});
    ASSERT_EQ(dialog.vqPreview->Items().size(), 1);
    EXPECT_EQ(dialog.vqPreview->Items()[0]->Title(), QStringLiteral("B"));
    EXPECT_TRUE(dialog.memStartTag->toPlainText().isEmpty());
    dialog.DeleteItemClick();
    EXPECT_TRUE(Rows(dialog).isEmpty());
    EXPECT_FALSE(dialog.optTags->isEnabled());
    for (QAction *command : dialog.lvwItems->actions())
        EXPECT_FALSE(command->isEnabled()) << command->objectName().toStdString();
}

TEST_F(ListBtnCustomize, OkGivesTheButtonItsNewItemsAndStoresThem)
{
    m_button.setText(QStringLiteral("Custom 1"));
    m_button.SetRegistryLocation(Key);
    m_button.AddItem(QStringLiteral("Old"));
    WhenShown<TfListBtnCustomize>([](TfListBtnCustomize *dialog) {
        dialog->txtTitle->setText(QStringLiteral("Mine"));
        dialog->memStartTag->setPlainText(QStringLiteral("<EM>"));
        dialog->memEndTag->setPlainText(QStringLiteral("</EM>"));
        dialog->AddSeparatorClick();
        dialog->reject();
    });
    EXPECT_FALSE(m_button.Customize());
    EXPECT_EQ(m_button.text(), QStringLiteral("Custom 1"));
    EXPECT_TRUE(m_button.Items()[0]->TagStart().isEmpty());

    WhenShown<TfListBtnCustomize>([](TfListBtnCustomize *dialog) {
        dialog->txtTitle->setText(QStringLiteral("Mine"));
        dialog->AddSeparatorClick();
        dialog->AddItemClick();
        dialog->memStartTag->setPlainText(QStringLiteral("<EM>"));
        dialog->memEndTag->setPlainText(QStringLiteral("</EM>"));
        dialog->accept();
    });
    EXPECT_TRUE(m_button.Customize());
    EXPECT_EQ(m_button.text(), QStringLiteral("Mine"));
    EXPECT_EQ(MenuTexts(m_button), (QStringList{"Customize...", "|", "Old  ", "|", "[Untitled]  "}));
    EXPECT_EQ(m_button.Items()[2]->TagEnd(), QStringLiteral("</EM>"));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("ToolbarName"), QString()), QStringLiteral("Mine"));
    EXPECT_EQ(Stored(2, "StartTag"), QStringLiteral("<EM>"));
}

TEST_F(ListBtnCustomize, TheCustomizeEntryOpensTheDialog)
{
    bool shown = false;
    WhenShown<TfListBtnCustomize>([&](TfListBtnCustomize *dialog) {
        shown = true;
        dialog->reject();
    });
    m_button.Menu()->actions().at(0)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown; }));
}

} // namespace
