// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFindCommands.h"

#include "LongRun.h"
#include "ScriptedMessageService.h"
#include "SettingsStore.h"
#include "TFindBar.h"
#include "TestFiles.h"
#include "TvqHTMLTab.h"
#include "TvqRichHTML.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString FindKey = QStringLiteral("Software\\Velicort\\Find");

class FindCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        Scripted().Reset();
        m_tabs.resize(700, 400);
        m_find = std::make_unique<TFindCommands>(&m_tabs, nullptr);
        m_tabs.show();
    }

    TvqRichHTML *Editor() const { return m_tabs.ActiveEditor(); }

    void SetText(const QString &text)
    {
        Editor()->SetFilename(QString());
        Editor()->InsertTag(text, QString(), false);
        Editor()->SetSel(0, 0);
        Editor()->SetModified(false);
    }

    void Open(const QByteArray &bytes)
    {
        Editor()->SetFilename(WriteTestFile(m_dir.filePath(QStringLiteral("page.htm")), bytes));
        Editor()->SetSel(0, 0);
    }

    // Opens the bar and sets the text to find with the options.
    void Search(const QString &text, TSearchOptions options = {}, bool replace = false,
                const QString &replacement = QString())
    {
        m_find->OpenBar(replace);
        options.inSelection = m_find->Bar()->Options().inSelection;
        m_find->Bar()->SetOptions(options);
        m_find->Bar()->SetFindText(text);
        m_find->Bar()->cboReplace->setEditText(replacement);
    }

    std::pair<qsizetype, qsizetype> Selection() const
    {
        qsizetype start = 0;
        qsizetype length = 0;
        Editor()->GetSel(start, length);
        return {start, length};
    }

    QTemporaryDir m_dir;
    TvqHTMLTab m_tabs;
    std::unique_ptr<TFindCommands> m_find;
};

TEST_F(FindCommands, FindNextAndPreviousSelectAndWrapAround)
{
    SetText(QStringLiteral("one two one two"));
    QSignalSpy status(m_find.get(), &TFindCommands::StatusText);
    Search(QStringLiteral("two"));
    EXPECT_EQ(m_find->Bar()->Result(), QStringLiteral("2 matches"));
    EXPECT_TRUE(m_find->FindNext(true));
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{4, 3}));
    EXPECT_TRUE(m_find->FindNext(true));
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{12, 3}));
    EXPECT_TRUE(m_find->FindNext(true));
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{4, 3}));
    EXPECT_TRUE(status.last().at(0).toString().contains(QStringLiteral("from the top")));
    EXPECT_TRUE(m_find->FindNext(false));
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{12, 3}));
    EXPECT_TRUE(status.last().at(0).toString().contains(QStringLiteral("from the bottom")));

    TSearchOptions noWrap;
    noWrap.wrapAround = false;
    Search(QStringLiteral("two"), noWrap);
    EXPECT_FALSE(m_find->FindNext(true));
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{12, 3}));
    EXPECT_EQ(m_find->Bar()->Result(), QStringLiteral("Not found"));
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(FindCommands, AnEmptyMatchNeverHoldsTheCaret)
{
    SetText(QStringLiteral("ab\r\ncd"));
    TSearchOptions options;
    options.regularExpression = true;
    Search(QStringLiteral("x*"), options);
    // Every place between characters once, never between CR and LF, then
    // round again.
    QList<qsizetype> places;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(m_find->FindNext(true));
        places.append(Selection().first);
    }
    EXPECT_EQ(places, (QList<qsizetype>{1, 2, 4, 5, 6, 0, 1, 2}));
}

TEST_F(FindCommands, ReplaceAllIsOneUndoStepAndReportsTheCount)
{
    SetText(QStringLiteral("<b>one</b> and <b>two</b>\r\n<B>three</B>\r\n"));
    QSignalSpy status(m_find.get(), &TFindCommands::StatusText);
    TSearchOptions options;
    options.regularExpression = true;
    Search(QStringLiteral("<(/?)b>"), options, true, QStringLiteral("<\\1strong>"));
    const QString before = Editor()->Text();
    const qsizetype steps = Editor()->UndoList().Count();
    EXPECT_EQ(m_find->ReplaceAll(), 6);
    EXPECT_EQ(Editor()->Text(),
              QStringLiteral("<strong>one</strong> and <strong>two</strong>\r\n<strong>three</strong>\r\n"));
    EXPECT_TRUE(Editor()->Modified());
    EXPECT_EQ(Editor()->UndoList().Count(), steps + 1);
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("6 replacements made."));
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), before);

    // Nothing to replace changes nothing.
    Editor()->SetModified(false);
    Search(QStringLiteral("<i>"), {}, true, QStringLiteral("x"));
    EXPECT_EQ(m_find->ReplaceAll(), 0);
    EXPECT_FALSE(Editor()->Modified());
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("0 replacements made."));
}

TEST_F(FindCommands, ReplaceAllKeepsTheViewAndTheCaret)
{
    SetText(QStringLiteral("word and more\r\n").repeated(400));
    const qsizetype caret = Editor()->LineIndex(5) + 9; // before "more"
    Editor()->SetSel(caret, 0);
    const auto firstShown = [this] { return Editor()->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE); };
    const long shown = firstShown();
    Search(QStringLiteral("word"), {}, true, QStringLiteral("words"));
    EXPECT_EQ(m_find->ReplaceAll(), 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(firstShown(), shown);
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{caret + 6, 0}));
}

TEST_F(FindCommands, ReplaceTakesTheSelectedMatchAndSelectsTheNext)
{
    SetText(QStringLiteral("cat cat cat"));
    Search(QStringLiteral("cat"), {}, true, QStringLiteral("dog"));
    // The first press only finds.
    m_find->Replace();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("cat cat cat"));
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{0, 3}));
    const qsizetype steps = Editor()->UndoList().Count();
    m_find->Replace();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("dog cat cat"));
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{4, 3}));
    EXPECT_TRUE(Editor()->Modified());
    EXPECT_EQ(Editor()->UndoList().Count(), steps + 1);
    Editor()->Undo();
    EXPECT_EQ(Editor()->Text(), QStringLiteral("cat cat cat"));
}

TEST_F(FindCommands, ASelectionOverSeveralLinesIsTheRangeSearched)
{
    SetText(QStringLiteral("a1 a2\r\na3 a4\r\na5 a6\r\n"));
    Editor()->SetSel(3, 7); // "a2" to "a4"
    Search(QStringLiteral("a"), {}, true, QStringLiteral("bb"));
    EXPECT_TRUE(m_find->Bar()->Options().inSelection);
    EXPECT_EQ(m_find->Bar()->Result(), QStringLiteral("2 matches"));
    EXPECT_EQ(m_find->ReplaceAll(), 2);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("a1 bb2\r\nbb3 a4\r\na5 a6\r\n"));
    // The range grew with its text and stays selected.
    EXPECT_EQ(Selection(), (std::pair<qsizetype, qsizetype>{3, 9}));
    // Find Next goes round within it.
    Editor()->SetSel(3, 0);
    m_find->Bar()->SetFindText(QStringLiteral("b"));
    QList<qsizetype> places;
    for (int i = 0; i < 5; ++i) {
        m_find->FindNext(true);
        places.append(Selection().first);
    }
    EXPECT_EQ(places, (QList<qsizetype>{3, 4, 8, 9, 3}));

    // Another document is searched whole.
    m_tabs.AddDocument(QString(), ccFull, 0);
    EXPECT_FALSE(m_find->Bar()->Options().inSelection);
}

TEST_F(FindCommands, Windows1252AndUtf8PagesAreSearchedByCharacter)
{
    // No charset and not UTF-8: read as Windows-1252.
    Open("<p>caf\xE9 CAF\xC9</p>\r\n");
    ASSERT_EQ(Editor()->Encoding(), TTextEncoding::Windows1252);
    Search(QStringLiteral("é"), {}, true, QStringLiteral("e\u20AC"));
    EXPECT_EQ(m_find->Bar()->Result(), QStringLiteral("2 matches"));
    EXPECT_EQ(m_find->ReplaceAll(), 2);
    EXPECT_EQ(Editor()->FileBytes(TLineEnds::CrLf), QByteArray("<p>cafe\x80 CAFe\x80</p>\r\n"));

    // A character the encoding lacks asks first; No leaves the page alone.
    Editor()->Undo();
    Scripted().answers = {TMsgResult::No};
    Search(QStringLiteral("é"), {}, true, QStringLiteral("\u2192"));
    EXPECT_EQ(m_find->ReplaceAll(), 0);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("<p>café CAFÉ</p>\r\n"));
    EXPECT_EQ(Scripted().messages.size(), 1);

    Open("<meta charset=\"utf-8\"><p>caf\xC3\xA9 CAF\xC3\x89</p>");
    ASSERT_EQ(Editor()->Encoding(), TTextEncoding::Utf8);
    TSearchOptions matchCase;
    matchCase.matchCase = true;
    Search(QStringLiteral("É"), matchCase);
    EXPECT_TRUE(m_find->FindNext(true));
    EXPECT_EQ(Editor()->SelText(), QStringLiteral("É"));
}

TEST_F(FindCommands, AnInvalidExpressionIsReportedClearly)
{
    SetText(QStringLiteral("text (with) brackets"));
    TSearchOptions options;
    options.regularExpression = true;
    Search(QStringLiteral("(with"), options);
    EXPECT_TRUE(m_find->Bar()->Result().startsWith(QStringLiteral("The regular expression is not valid")));
    EXPECT_FALSE(m_find->FindNext(true));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages.first().kind, TMsgKind::Error);
    EXPECT_TRUE(Scripted().messages.first().text.contains(QStringLiteral("missing closing parenthesis")))
        << Scripted().messages.first().text.toStdString();
}

TEST_F(FindCommands, TheMatchesInViewAreMarkedAndFollowTheView)
{
    QString text;
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("line %1 word\r\n").arg(i);
    SetText(text);
    Search(QStringLiteral("word"));
    const qsizetype first = Editor()->LineIndex(0) + 7;
    const qsizetype far = Editor()->LineIndex(390) + 9;
    EXPECT_TRUE(Editor()->FoundMarkAt(first));
    EXPECT_FALSE(Editor()->FoundMarkAt(first - 1));
    EXPECT_FALSE(Editor()->FoundMarkAt(far)); // not in view
    EXPECT_EQ(m_find->Bar()->Result(), QStringLiteral("400 matches"));

    Editor()->SetSel(Editor()->LineIndex(399), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Editor()->FoundMarkAt(far); }, 2000));

    // A key in the bar marks anew; closing it takes the marks away.
    QTest::keyClick(m_find->Bar()->cboFind, Qt::Key_Backspace);
    EXPECT_FALSE(Editor()->FoundMarkAt(far + 3));
    EXPECT_TRUE(Editor()->FoundMarkAt(far));
    QTest::keyClick(m_find->Bar()->cboFind, Qt::Key_Escape);
    EXPECT_TRUE(m_find->Bar()->isHidden());
    EXPECT_FALSE(Editor()->FoundMarkAt(far));
}

TEST_F(FindCommands, KeysInTheBarFindAndReplace)
{
    SetText(QStringLiteral("x1 x2 x3"));
    Search(QStringLiteral("x"), {}, true, QStringLiteral("y"));
    // The keys reach the box that has the focus, as typed.
    QComboBox *find = m_find->Bar()->cboFind;
    QTest::keyClick(find, Qt::Key_Return);
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(Selection().first, 3);
    QTest::keyClick(find, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Selection().first, 0);
    QTest::keyClick(m_find->Bar()->cboReplace, Qt::Key_Return);
    EXPECT_EQ(Editor()->Text(), QStringLiteral("y1 x2 x3"));
}

TEST_F(FindCommands, EditsWaitForALongRunToEnd)
{
    SetText(QStringLiteral("a a a"));
    Search(QStringLiteral("a"), {}, true, QStringLiteral("b"));
    {
        const TLongRun run;
        emit m_find->Bar()->ReplaceAll();
        emit m_find->Bar()->Replace();
        QCoreApplication::processEvents();
        EXPECT_EQ(Editor()->Text(), QStringLiteral("a a a"));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return Editor()->Text() == QStringLiteral("b b b"); }, 2000));
    EXPECT_TRUE(Editor()->Modified());
}

TEST_F(FindCommands, TheHistoryAndTheOptionsAreKept)
{
    SetText(QStringLiteral("text"));
    TSearchOptions options;
    options.matchCase = true;
    options.wholeWord = true;
    options.wrapAround = false;
    for (int i = 1; i <= 17; ++i) {
        Search(QStringLiteral("find %1").arg(i), options, true, QStringLiteral("put %1").arg(i));
        m_find->FindNext(true);
    }
    EXPECT_EQ(ReadRegValue(FindKey, QStringLiteral("Find1"), QString()), QStringLiteral("find 17"));
    EXPECT_EQ(ReadRegValue(FindKey, QStringLiteral("Find15"), QString()), QStringLiteral("find 3"));
    EXPECT_EQ(ReadRegValue(FindKey, QStringLiteral("Replace1"), QString()), QStringLiteral("put 17"));
    // Searching an older text again brings it to the top once.
    Search(QStringLiteral("find 5"), options);
    m_find->FindNext(true);

    TFindCommands again(&m_tabs, nullptr);
    QComboBox *box = again.Bar()->cboFind;
    ASSERT_EQ(box->count(), 15);
    EXPECT_EQ(box->itemText(0), QStringLiteral("find 5"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("find 17"));
    EXPECT_EQ(again.Bar()->cboReplace->itemText(0), QStringLiteral("put 17"));
    options.inSelection = false;
    EXPECT_EQ(again.Bar()->Options(), options);
}

TEST_F(FindCommands, GoToLineSelectsTheWholeLine)
{
    SetText(QStringLiteral("one\r\ntwo\r\nthree\r\n"));
    Scripted().inputs = {QStringLiteral("2")};
    m_find->GoToLine();
    ASSERT_EQ(Scripted().inputQueries.size(), 1);
    EXPECT_EQ(Scripted().inputQueries.first().prompt, QStringLiteral("Line number (1 to 4):"));
    EXPECT_EQ(Scripted().inputQueries.first().value, QStringLiteral("1"));
    EXPECT_EQ(Editor()->SelText(), QStringLiteral("two\r\n"));
    // A line that does not exist, or no number, does nothing.
    for (const QString &answer : {QStringLiteral("9"), QStringLiteral("two"), QStringLiteral("0")}) {
        Scripted().inputs = {answer};
        m_find->GoToLine();
        EXPECT_EQ(Editor()->SelText(), QStringLiteral("two\r\n"));
    }
    EXPECT_FALSE(Editor()->Modified());
    // The line is what Find then looks for, not a range to search in.
    m_find->OpenBar(false);
    EXPECT_FALSE(m_find->Bar()->Options().inSelection);
    EXPECT_EQ(m_find->Bar()->FindText(), QStringLiteral("two"));
}

} // namespace
