// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dictionaries.h"
#include "ScriptedMessageService.h"
#include "SpellTestSupport.h"
#include "TestFiles.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {

using D = TSugDialog;

class SpellCheck : public testing::Test
{
protected:
    SpellCheck()
    {
        new QVBoxLayout(&m_window);
        m_window.layout()->addWidget(m_editor);
        m_window.show();
        m_checker->SetDictionaryMain(DictionaryFilePath(DefaultDictionaryName));
        m_checker->SetDictionaryUser(m_dir.filePath(QStringLiteral("Custom.dct")));
    }

    void Load(const QByteArray &bytes)
    {
        m_editor->SetFilename(WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")), bytes));
    }
    QByteArray Text() const { return m_editor->RawText(); }
    QStringList Messages() const
    {
        QStringList texts;
        for (const TRecordedMessage &message : std::as_const(Scripted().messages))
            texts.append(message.text);
        return texts;
    }

    QTemporaryDir m_dir;
    QWidget m_window;
    TvqRichHTML *m_editor = new TvqRichHTML;
    TRichSpellNB *m_checker = new TRichSpellNB(&m_window);
};

} // namespace

TEST_F(SpellCheck, ChangesShiftTheRestOfTheLine)
{
    Load("Ths is a smal tesst, yes.\r\nSecnd line\r\n");
    const qsizetype undoBefore = m_editor->UndoList().Count();
    TSpellUser user(m_checker, {{D::mrChange, QStringLiteral("This")},
                                {D::mrChange, QStringLiteral("small")},
                                {D::mrChange, QStringLiteral("test")},
                                {D::mrChange, QStringLiteral("Second")}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown, QStringList({"Ths", "smal", "tesst", "Secnd"}));
    EXPECT_EQ(Text(), QByteArray("This is a small test, yes.\r\nSecond line\r\n"));
    EXPECT_TRUE(m_editor->Modified());
    EXPECT_EQ(Messages(), QStringList({"Checking complete."}));
    EXPECT_EQ(m_editor->GetSelStart(), 0);
    EXPECT_TRUE(m_checker->Dialog()->isHidden());
    // One undo step a change.
    EXPECT_EQ(m_editor->UndoList().Count(), undoBefore + 4);
    m_editor->Undo();
    EXPECT_EQ(Text(), QByteArray("This is a small test, yes.\r\nSecnd line\r\n"));
}

TEST_F(SpellCheck, SuggestionsDecideByClickAndEnter)
{
    Load("teh wrold\r\n");
    QListWidget *list = m_checker->Dialog()->SuggestList;
    QLineEdit *edit = m_checker->Dialog()->WordEdit;
    TSpellUser user(
        m_checker, {{D::mrNone, QString(),
                     [&] {
                         // The first suggestion is offered; double-clicking one changes to it.
                         EXPECT_EQ(edit->text(), QStringLiteral("the"));
                         EXPECT_EQ(list->item(0)->text(), QStringLiteral("the"));
                         EXPECT_LE(list->count(), m_checker->MaxSuggestions);
                         EXPECT_EQ(m_checker->Dialog()->windowTitle(), QStringLiteral("Suggestions"));
                         list->setCurrentRow(1);
                         EXPECT_EQ(edit->text(), list->item(1)->text());
                         emit list->itemDoubleClicked(list->item(1));
                     }},
                    {D::mrNone, QString(), [&] {
                         // Phoneme refills the list for the text of "Change To:"; Enter changes.
                         edit->setText(QStringLiteral("fonetik"));
                         QTest::mouseClick(m_checker->Dialog()->findChild<QPushButton *>("btnPhoneme"), Qt::LeftButton);
                         EXPECT_TRUE(list->findItems(QStringLiteral("phonetic"), Qt::MatchExactly).size() == 1);
                         QTest::mouseClick(m_checker->Dialog()->findChild<QPushButton *>("btnSuggest"), Qt::LeftButton);
                         edit->setText(QStringLiteral("world"));
                         QTest::keyClick(edit, Qt::Key_Return);
                     }}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown, QStringList({"teh", "wrold"}));
    EXPECT_TRUE(Text().endsWith(" world\r\n")) << Text().toStdString();
    EXPECT_FALSE(Text().startsWith("teh"));
}

TEST_F(SpellCheck, Utf8DocumentKeepsItsBytes)
{
    Load("<p>Un caf\xc3\xa9 na\xc3\xaf"
         "f, zorblax\xc3\xa9!</p>\r\n");
    TSpellUser user(m_checker, {{D::mrIgnore},
                                {D::mrChange, QStringLiteral("coffee")},
                                {D::mrIgnore},
                                {D::mrChange, QStringLiteral("übel 日")},
                                {D::mrIgnore}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    // Whole words, however their letters are written.
    EXPECT_EQ(user.shown, QStringList({"Un", "café", "naïf", "zorblaxé", "p"}).mid(0, user.shown.size()));
    EXPECT_EQ(Text(), QByteArray("<p>Un coffee na\xc3\xaf"
                                 "f, \xc3\xbc"
                                 "bel \xe6\x97\xa5!</p>\r\n"));
}

TEST_F(SpellCheck, Windows1252DocumentKeepsItsEncoding)
{
    Load("<p>Un caf\xe9 zorblax\xe9 \xaa"
         "b end</p>\r\n");
    ASSERT_EQ(m_editor->Encoding(), TTextEncoding::Windows1252);
    // A replacement that encoding lacks asks first; No leaves the word.
    Scripted().answers = {TMsgResult::No};
    TSpellUser user(
        m_checker,
        {{D::mrIgnore}, {D::mrChange, QStringLiteral("cafés")}, {D::mrChange, QStringLiteral("日")}, {D::mrIgnore}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    // ª is a letter, but not one of Windows-1252's: "b" stands alone.
    EXPECT_EQ(user.shown.mid(0, 3), QStringList({"Un", "café", "zorblaxé"}));
    EXPECT_EQ(m_editor->FileBytes(TLineEnds::CrLf).value(), QByteArray("<p>Un caf\xe9s zorblax\xe9 \xaa"
                                                                       "b end</p>\r\n"));
    EXPECT_EQ(m_editor->Encoding(), TTextEncoding::Windows1252);
}

TEST_F(SpellCheck, IgnoreAllInAnyCase)
{
    Load("Zorblax zorblax ZORBLAX zorBlax Zorblaxes\r\n");
    TSpellUser user(m_checker, {{D::mrIgnoreAll}, {D::mrIgnore}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown, QStringList({"Zorblax", "Zorblaxes"}));
    EXPECT_EQ(Messages(), QStringList({"No changes made."}));
    EXPECT_FALSE(m_editor->Modified());
    EXPECT_EQ(m_checker->IgnoreAllList(), QStringList({"ZORBLAX"}));
}

TEST_F(SpellCheck, ListsLastUntilCleared)
{
    Load("Zorblax Qwertyx zorblax\r\n");
    const auto append = [&](const QString &text) {
        m_editor->SetSel(m_editor->TextLength(), 0);
        m_editor->InsertTag(text, QString(), false);
    };
    {
        TSpellUser user(m_checker, {{D::mrIgnoreAll}, {D::mrChangeAll, QStringLiteral("query")}});
        EXPECT_TRUE(m_checker->CheckRich(m_editor));
        EXPECT_EQ(user.shown, QStringList({"Zorblax", "Qwertyx"}));
    }
    append(QStringLiteral("Qwertyx ZORBLAX"));
    {
        TSpellUser user(m_checker, {});
        EXPECT_TRUE(m_checker->CheckRich(m_editor));
        EXPECT_TRUE(user.shown.isEmpty());
        EXPECT_EQ(Text(), QByteArray("Zorblax query zorblax\r\nquery ZORBLAX"));
    }
    m_checker->ClearLists();
    TSpellUser user(m_checker, {{D::mrIgnore}, {D::mrIgnore}, {D::mrIgnore}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown, QStringList({"Zorblax", "zorblax", "ZORBLAX"}));
}

TEST_F(SpellCheck, ChangeAllAppliesWithoutTheWindow)
{
    Load("Zorblax then Zorblax and zorblax, Zorblax.\r\n");
    TSpellUser user(m_checker, {{D::mrChangeAll, QStringLiteral("Zebra")}, {D::mrIgnore}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    // The word as found: another case is asked about.
    EXPECT_EQ(user.shown, QStringList({"Zorblax", "zorblax"}));
    EXPECT_EQ(Text(), QByteArray("Zebra then Zebra and zorblax, Zebra.\r\n"));
    EXPECT_EQ(Messages(), QStringList({"Checking complete."}));
}

TEST_F(SpellCheck, AddWritesTheUserDictionary)
{
    Load("Zorblax is Zorblax.\r\n");
    TSpellUser user(m_checker, {{D::mrAdd}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown, QStringList({"Zorblax"}));
    QFile file(m_checker->DictionaryUser());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Zorblax\n"));

    // Known from now on, also after the dictionaries are opened again.
    m_checker->CloseDictionaries();
    TSpellUser none(m_checker, {});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown.size() + none.shown.size(), 1);
}

TEST_F(SpellCheck, CancelHalfWay)
{
    Load("Zorblax one Qwertyx two Zorblax\r\n");
    m_editor->SetSel(9, 0);
    // Escape in the window is Cancel.
    TSpellUser user(m_checker, {{D::mrChange, QStringLiteral("Zebra")},
                                {D::mrNone, QString(), [&] { QTest::keyClick(m_checker->Dialog(), Qt::Key_Escape); }}});
    EXPECT_FALSE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown, QStringList({"Zorblax", "Qwertyx"}));
    EXPECT_EQ(Text(), QByteArray("Zebra one Qwertyx two Zorblax\r\n"));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(m_checker->Dialog()->isHidden());
    // The caret where it was, no selection.
    qsizetype start = 0;
    qsizetype length = 0;
    m_editor->GetSel(start, length);
    EXPECT_EQ(start, 9);
    EXPECT_EQ(length, 0);
    EXPECT_FALSE(m_checker->Checking());
}

TEST_F(SpellCheck, MissingDictionaryChecksNothing)
{
    Load("Zorblax\r\n");
    m_checker->SetDictionaryMain(m_dir.filePath(QStringLiteral("none.dic")));
    {
        TSpellUser user(m_checker, {});
        EXPECT_FALSE(m_checker->CheckRich(m_editor));
        EXPECT_EQ(Messages(), QStringList({"Could not open dictionary"}));
        EXPECT_TRUE(user.shown.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(m_checker->DictionaryUser()));
    }

    // A dictionary that exists again is opened at the next check.
    Scripted().messages.clear();
    m_checker->SetDictionaryMain(DictionaryFilePath(DefaultDictionaryName));
    TSpellUser again(m_checker, {{D::mrIgnore}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(again.shown, QStringList({"Zorblax"}));
}

TEST_F(SpellCheck, SelectionChecks)
{
    Load("Zorblax Qwertyx Plokam\r\n");
    {
        TSpellUser user(m_checker, {{D::mrIgnore}, {D::mrIgnore}});
        // Widened to whole words.
        m_editor->SetSel(10, 7);
        EXPECT_TRUE(m_checker->CheckRichSelection(m_editor));
        EXPECT_EQ(user.shown, QStringList({"Qwertyx", "Plokam"}));
    }
    {
        // As it is: the middle of a word.
        TSpellUser part(m_checker, {{D::mrIgnore}});
        m_editor->SetSel(17, 4);
        EXPECT_TRUE(m_checker->CheckRichSelectionNB(m_editor));
        EXPECT_EQ(part.shown, QStringList({"loka"}));
    }
    // Nothing selected, nothing checked.
    m_editor->SetSel(3, 0);
    Scripted().messages.clear();
    EXPECT_TRUE(m_checker->CheckRichSelection(m_editor));
    EXPECT_TRUE(m_checker->CheckRichSelectionNB(m_editor));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SpellCheck, InputToTheWindowWaitsForTheEnd)
{
    Load("Zorblax\r\n");
    m_editor->SetSel(0, 0);
    TSpellUser user(m_checker, {{D::mrIgnore, QString(), [&] {
                                     QTest::keyClick(m_editor, Qt::Key_Q);
                                     EXPECT_EQ(Text(), QByteArray("Zorblax\r\n"));
                                 }}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(Text(), QByteArray("Zorblax\r\n"));
    QApplication::processEvents();
    EXPECT_EQ(Text(), QByteArray("qZorblax\r\n"));
}

TEST_F(SpellCheck, ClosedDocumentEndsTheCheck)
{
    Load("Zorblax Qwertyx\r\n");
    TSpellUser user(m_checker, {{D::mrNone, QString(), [&] { m_editor->CloseLater(); }}});
    EXPECT_FALSE(m_checker->CheckRich(m_editor));
    // Deleted only once the check is over.
    QPointer<TvqRichHTML> editor(m_editor);
    EXPECT_TRUE(editor);
    QTest::qWaitFor([&] { return !editor; });
    EXPECT_FALSE(editor);
}

TEST_F(SpellCheck, SuggestionTypes)
{
    Load("fonetik\r\n");
    QListWidget *list = m_checker->Dialog()->SuggestList;
    m_checker->SuggestType = TRichSpellNB::stPhoneme;
    m_checker->MaxSuggestions = 3;
    {
        TSpellUser user(m_checker, {{D::mrIgnore, QString(), [&] {
                                         EXPECT_LE(list->count(), 3);
                                         EXPECT_EQ(list->findItems(QStringLiteral("phonetic"), Qt::MatchExactly).size(),
                                                   1);
                                     }}});
        EXPECT_TRUE(m_checker->CheckRich(m_editor));
    }
    // Without suggestions "Change To:" holds the word itself.
    m_checker->SuggestType = TRichSpellNB::stNoSuggest;
    TSpellUser user(m_checker, {{D::mrIgnore, QString(), [&] {
                                     EXPECT_EQ(list->count(), 0);
                                     EXPECT_EQ(m_checker->Dialog()->WordEdit->text(), QStringLiteral("fonetik"));
                                 }}});
    EXPECT_TRUE(m_checker->CheckRich(m_editor));
    EXPECT_EQ(user.shown, QStringList({"fonetik"}));
}

TEST(SugDialog, MovesOffTheWordItCovers)
{
    TSugDialog dialog;
    dialog.resize(300, 150);
    dialog.show();
    const QRect screen = dialog.screen()->geometry();
    dialog.move(screen.left() + 100, screen.center().y() - 75);
    const QPoint start = dialog.pos();
    dialog.AvoidPoint(dialog.frameGeometry().bottomRight() + QPoint(5, 5));
    EXPECT_EQ(dialog.pos(), start);
    // A word in the upper half sends the window to the bottom, one in the
    // lower half to the top.
    dialog.AvoidPoint(dialog.frameGeometry().center() - QPoint(0, 20));
    EXPECT_NEAR(dialog.frameGeometry().bottom(), screen.bottom() - 20, 1);
    EXPECT_EQ(dialog.pos().x(), start.x());
    dialog.AvoidPoint(dialog.frameGeometry().center());
    EXPECT_EQ(dialog.frameGeometry().top(), screen.top() + 20);
}

TEST_F(SpellCheck, DictionariesOpenedForEachCheckUnlessLeftOpen)
{
    Load("Zorblax\r\n");
    const auto check = [&] {
        TSpellUser user(m_checker, {{D::mrIgnore}});
        EXPECT_TRUE(m_checker->CheckRich(m_editor));
        return user.shown.size();
    };
    EXPECT_EQ(check(), 1);
    // A word another program added to the user dictionary.
    WriteTestFile(m_checker->DictionaryUser(), "Zorblax\n");
    EXPECT_EQ(check(), 1);
    m_checker->LeaveDictionariesOpen = false;
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(check(), 0);
}
