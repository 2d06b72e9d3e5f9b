// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectionCommands.h"

#include "TestFiles.h"
#include "TvqRichHTML.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class SelectionCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        m_editor.resize(600, 400);
        m_editor.show();
    }

    void SetText(const QString &text)
    {
        m_editor.SetFilename(QString());
        m_editor.InsertTag(text, QString(), false);
        m_editor.SetSel(0, 0);
    }

    // Selects the first occurrence of part.
    void Select(const QString &part, qsizetype extra = 0)
    {
        m_editor.SetSel(m_editor.RawText().indexOf(m_editor.Encode(part)), m_editor.Encode(part).size() + extra);
    }

    QString Text() const { return m_editor.Text(); }

    // The command left the document modified with exactly one more undo
    // step, which puts the text back.
    void ExpectOneUndoStep(const std::function<void()> &command)
    {
        const QString before = Text();
        m_editor.SetModified(false);
        const qsizetype steps = m_editor.UndoList().Count();
        command();
        EXPECT_NE(Text(), before);
        EXPECT_TRUE(m_editor.Modified());
        EXPECT_EQ(m_editor.UndoList().Count(), steps + 1);
        m_editor.Undo();
        EXPECT_EQ(Text(), before);
    }

    TvqRichHTML m_editor;
};

TEST_F(SelectionCommands, LinesBecomeAListUndoneInOneStep)
{
    SetText(QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n"));
    m_editor.SetSel(0, m_editor.LineIndex(3)); // ends at the start of the fourth line
    ConvertLines(m_editor, QStringLiteral("<OL>"), QStringLiteral("</OL>"), QStringLiteral("\t<LI>"), QString());
    EXPECT_EQ(Text(), QStringLiteral("<OL>\r\n\t<LI>one\r\n\t<LI>two\r\n\t<LI>three\r\n</OL>\r\nfour\r\n"));
    m_editor.Undo();
    EXPECT_EQ(Text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n"));

    // Without a selection the caret's line is taken.
    m_editor.SetSel(m_editor.LineIndex(1) + 1, 0);
    ConvertLines(m_editor, QString(), QString(), QString(), QStringLiteral("<BR>"));
    EXPECT_EQ(Text(), QStringLiteral("one\r\ntwo<BR>\r\nthree\r\nfour\r\n"));
}

TEST_F(SelectionCommands, StrippingTagsStopsAtAStrayCloseAndKeepsAPartialTag)
{
    SetText(QStringLiteral("ab<b>c</b>d"));
    m_editor.SetSel(3, 8); // starts inside "<b>"
    StripTags(m_editor, false);
    EXPECT_EQ(Text(), QStringLiteral("ab<b>cd"));
    m_editor.Undo();
    EXPECT_EQ(Text(), QStringLiteral("ab<b>c</b>d"));

    SetText(QStringLiteral("<b>x</b> a > b <i>y</i>"));
    StripTags(m_editor, true);
    EXPECT_EQ(Text(), QStringLiteral("x a > b <i>y</i>"));

    // A selection is needed for the selection form.
    SetText(QStringLiteral("<b>x</b>"));
    StripTags(m_editor, false);
    EXPECT_EQ(Text(), QStringLiteral("<b>x</b>"));
}

TEST_F(SelectionCommands, OutermostTagsGoWithWhatSurroundsThem)
{
    SetText(QStringLiteral("say <B>word</B> now"));
    Select(QStringLiteral(" <B>word</B> "));
    StripOuterTags(m_editor);
    EXPECT_EQ(Text(), QStringLiteral("saywordnow")); // the word alone replaces the selection
    m_editor.Undo();
    EXPECT_EQ(Text(), QStringLiteral("say <B>word</B> now"));

    // Without a second tag nothing changes.
    Select(QStringLiteral("<B>word"));
    StripOuterTags(m_editor);
    EXPECT_EQ(Text(), QStringLiteral("say <B>word</B> now"));
}

TEST_F(SelectionCommands, IndentAndUnindentRoundTrip)
{
    SetText(QStringLiteral("a\r\n  b\r\nc\r\n"));
    m_editor.SetSel(0, m_editor.LineIndex(2));
    IndentLines(m_editor);
    EXPECT_EQ(Text(), QStringLiteral("\ta\r\n\t  b\r\nc\r\n"));
    UnindentLines(m_editor);
    EXPECT_EQ(Text(), QStringLiteral("a\r\n  b\r\nc\r\n"));
    // Blanks are not a tab.
    m_editor.SetSel(m_editor.LineIndex(1), 0);
    UnindentLines(m_editor);
    EXPECT_EQ(Text(), QStringLiteral("a\r\n  b\r\nc\r\n"));
    m_editor.SetSel(m_editor.LineIndex(1), 0);
    IndentLines(m_editor);
    m_editor.Undo();
    EXPECT_EQ(Text(), QStringLiteral("a\r\n  b\r\nc\r\n"));
}

TEST_F(SelectionCommands, SelectionCaseWithUndo)
{
    SetText(QStringLiteral("say Hello"));
    Select(QStringLiteral("Hello"));
    ChangeSelectionCase(m_editor, true);
    EXPECT_EQ(Text(), QStringLiteral("say HELLO"));
    ChangeSelectionCase(m_editor, false);
    EXPECT_EQ(Text(), QStringLiteral("say hello"));
    m_editor.Undo();
    m_editor.Undo();
    EXPECT_EQ(Text(), QStringLiteral("say Hello"));
}

TEST_F(SelectionCommands, TagCaseSparesQuotedValuesCommentsAndScripts)
{
    SetText(QStringLiteral("<A HREF=\"MyFile.HTM\">Link</A><!-- KEEP --><SCRIPT>VAR X = \"A\";</SCRIPT><P>"));
    ConvertTagCase(m_editor, false);
    EXPECT_EQ(Text(), QStringLiteral("<a href=\"MyFile.HTM\">Link</a><!-- KEEP --><script>VAR X = \"A\";</script><p>"));
    ConvertTagCase(m_editor, true);
    EXPECT_EQ(Text(), QStringLiteral("<A HREF=\"MyFile.HTM\">Link</A><!-- KEEP --><SCRIPT>VAR X = \"A\";</SCRIPT><P>"));
    // A "<" without a ">" ends it.
    SetText(QStringLiteral("<b>x</b> 1 < 2"));
    ConvertTagCase(m_editor, true);
    EXPECT_EQ(Text(), QStringLiteral("<B>x</B> 1 < 2"));
}

TEST_F(SelectionCommands, EveryCommandMarksTheDocumentModifiedWithOneUndoStep)
{
    const QString text = QStringLiteral("one <B>two</B>\r\nthree\r\n");
    const struct
    {
        const char *name;
        std::function<void()> command;
    } commands[] = {
        {"strip tags of the selection", [&] { StripTags(m_editor, false); }},
        {"strip all tags", [&] { StripTags(m_editor, true); }},
        {"strip outermost tags", [&] { StripOuterTags(m_editor); }},
        {"uppercase", [&] { ChangeSelectionCase(m_editor, true); }},
        {"lowercase", [&] { ChangeSelectionCase(m_editor, false); }},
        {"lines to a list",
         [&] {
             ConvertLines(m_editor, QStringLiteral("<UL>"), QStringLiteral("</UL>"), QStringLiteral("\t<LI>"),
                          QString());
         }},
        {"indent", [&] { IndentLines(m_editor); }},
        {"unindent", [&] { UnindentLines(m_editor); }},
        {"tag insertion", [&] { m_editor.InsertTag(QStringLiteral("<I>"), QStringLiteral("</I>"), false); }},
    };
    for (const auto &c : commands) {
        SCOPED_TRACE(c.name);
        SetText(QStringLiteral("\t") + text);
        Select(QStringLiteral("<B>two</B>"));
        ExpectOneUndoStep(c.command);
    }
}

TEST_F(SelectionCommands, TagCaseKeepsTheEarlierUndoSteps)
{
    SetText(QStringLiteral("<b>x</b>"));
    m_editor.SetSelStart(3);
    m_editor.InsertTag(QStringLiteral("y"), QString(), false);
    m_editor.SetModified(false);
    const qsizetype steps = m_editor.UndoList().Count();
    ConvertTagCase(m_editor, true);
    EXPECT_EQ(Text(), QStringLiteral("<B>yx</B>"));
    EXPECT_TRUE(m_editor.Modified());
    ASSERT_EQ(m_editor.UndoList().Count(), steps);
    m_editor.Undo();
    EXPECT_EQ(Text(), QStringLiteral("<B>x</B>"));
}

TEST_F(SelectionCommands, ExtendedCharactersBothWays)
{
    SetText(QStringLiteral("caf\u00e9 <b> & \u00c9t\u00e9"));
    EXPECT_EQ(ReplaceExtendedCharacters(m_editor, true), 3);
    EXPECT_EQ(Text(), QStringLiteral("caf&eacute; <b> & &Eacute;t&eacute;"));
    SetText(QStringLiteral("&Eacute;t&eacute;&nbsp;&EACUTE;"));
    EXPECT_EQ(ReplaceExtendedCharacters(m_editor, false), 2);
    EXPECT_EQ(Text(), QStringLiteral("\u00c9t\u00e9&nbsp;&EACUTE;"));
}

TEST_F(SelectionCommands, ExtendedCharactersOfASingleByteDocument)
{
    QTemporaryDir dir;
    const QString path = WriteTestFile(dir.filePath(QStringLiteral("latin.htm")), "caf\xe9\r\n");
    ASSERT_TRUE(m_editor.SetFilename(path));
    ASSERT_EQ(m_editor.Encoding(), TTextEncoding::Windows1252);
    EXPECT_EQ(ReplaceExtendedCharacters(m_editor, true), 1);
    EXPECT_EQ(m_editor.FileBytes(TLineEnds::CrLf), QByteArray("caf&eacute;\r\n"));
    EXPECT_EQ(ReplaceExtendedCharacters(m_editor, false), 1);
    EXPECT_EQ(m_editor.FileBytes(TLineEnds::CrLf), QByteArray("caf\xe9\r\n"));
}

TEST_F(SelectionCommands, ReplaceAllCountsAndFollowsCase)
{
    SetText(QStringLiteral("a\\b\\c AbA"));
    EXPECT_EQ(m_editor.ReplaceAll(QStringLiteral("\\"), QStringLiteral("/"), false), 2);
    EXPECT_EQ(Text(), QStringLiteral("a/b/c AbA"));
    EXPECT_EQ(m_editor.ReplaceAll(QStringLiteral("a"), QStringLiteral("xy"), true), 1);
    EXPECT_EQ(Text(), QStringLiteral("xy/b/c AbA"));
    EXPECT_EQ(m_editor.ReplaceAll(QStringLiteral("a"), QStringLiteral("-"), false), 2);
    EXPECT_EQ(Text(), QStringLiteral("xy/b/c -b-"));
    EXPECT_EQ(m_editor.ReplaceAll(QStringLiteral("\\"), QStringLiteral("/"), false), 0);
    EXPECT_EQ(Text(), QStringLiteral("xy/b/c -b-"));
}

} // namespace
