// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentSearch.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

TSearchOptions Plain(bool matchCase = false, bool wholeWord = false)
{
    TSearchOptions options;
    options.matchCase = matchCase;
    options.wholeWord = wholeWord;
    return options;
}

TSearchOptions Expression(bool matchCase = false, bool wholeWord = false)
{
    TSearchOptions options = Plain(matchCase, wholeWord);
    options.regularExpression = true;
    return options;
}

// The byte spans of every match in the whole text.
std::vector<std::pair<qsizetype, qsizetype>> Matches(const QString &pattern, const TSearchOptions &options,
                                                     std::string_view text)
{
    std::vector<std::pair<qsizetype, qsizetype>> found;
    TDocumentSearch(pattern, options).ForEach(text, 0, qsizetype(text.size()), [&](TSearchMatch match) {
        found.emplace_back(match.start, match.length);
        return true;
    });
    return found;
}

QByteArray ReplaceAll(const QString &pattern, const TSearchOptions &options, std::string_view text,
                      const QString &replace)
{
    const TDocumentSearch::TReplaced replaced =
        TDocumentSearch(pattern, options).ReplaceAll(text, 0, qsizetype(text.size()), replace);
    return replaced.count == 0 ? QByteArray(text.data(), qsizetype(text.size())) : replaced.text;
}

using Spans = std::vector<std::pair<qsizetype, qsizetype>>;

TEST(DocumentSearch, CaseMattersOnlyWhenAskedAndPlainTextIsLiteral)
{
    const std::string_view text = "Price price PRICE a.b axb";
    EXPECT_EQ(Matches(QStringLiteral("price"), Plain(), text), (Spans{{0, 5}, {6, 5}, {12, 5}}));
    EXPECT_EQ(Matches(QStringLiteral("price"), Plain(true), text), (Spans{{6, 5}}));
    EXPECT_EQ(Matches(QStringLiteral("a.b"), Plain(), text), (Spans{{18, 3}}));
    // A one-letter pattern and one as long as the text.
    EXPECT_EQ(TDocumentSearch(QStringLiteral("P"), Plain()).Count(text, 0, qsizetype(text.size())), 3);
    EXPECT_EQ(Matches(QString::fromLatin1(text.data(), qsizetype(text.size())), Plain(true), text),
              (Spans{{0, qsizetype(text.size())}}));
    EXPECT_TRUE(Matches(QStringLiteral("PRICEX"), Plain(), "PRICE").empty());
}

TEST(DocumentSearch, NonAsciiLettersFoldTheirCaseAndPositionsAreBytes)
{
    // "Größe" takes 7 bytes, "é" 2.
    const std::string_view text = "Gr\xC3\xB6\xC3\x9F"
                                  "e caf\xC3\xA9 CAF\xC3\x89";
    EXPECT_EQ(Matches(QStringLiteral("café"), Plain(), text), (Spans{{8, 5}, {14, 5}}));
    EXPECT_EQ(Matches(QStringLiteral("café"), Plain(true), text), (Spans{{8, 5}}));
    EXPECT_EQ(Matches(QStringLiteral("GRÖSSE"), Plain(true), text), Spans{});
    EXPECT_EQ(Matches(QStringLiteral("größe"), Plain(), text), (Spans{{0, 7}}));
}

TEST(DocumentSearch, WholeWordsAreTheSameForPlainTextAndExpressions)
{
    // Letters beyond ASCII and "_" belong to words; "." does not.
    const std::string_view text = "cat catalog cat_ \xC3\xA9"
                                  "cat scat cat. (cat)";
    const Spans expected{{0, 3}, {28, 3}, {34, 3}};
    EXPECT_EQ(Matches(QStringLiteral("cat"), Plain(false, true), text), expected);
    EXPECT_EQ(Matches(QStringLiteral("c.t"), Expression(false, true), text), expected);
    EXPECT_EQ(Matches(QStringLiteral("CAT"), Plain(false, true), text).size(), 3u);
}

TEST(DocumentSearch, ExpressionGroupsAndEscapesInTheReplacement)
{
    const std::string_view text = "mail anna@example and bob@test";
    EXPECT_EQ(ReplaceAll(QStringLiteral("(\\w+)@(\\w+)"), Expression(), text, QStringLiteral("\\2 at \\1")),
              QByteArray("mail example at anna and test at bob"));
    EXPECT_EQ(ReplaceAll(QStringLiteral("a(n)"), Expression(), "and", QStringLiteral("[\\0|\\1|\\t|\\\\|\\n|\\q]")),
              QByteArray("[an|n|\t|\\|\r\n|\\q]d"));
    // A character beyond the first plane stays whole.
    EXPECT_EQ(ReplaceAll(QStringLiteral("(a)"), Expression(), "a", QStringLiteral("\U0001F600\\1")),
              QByteArray("\xF0\x9F\x98\x80"
                         "a"));
    // A group that took no part is empty; plain text puts the replacement
    // in as written.
    EXPECT_EQ(ReplaceAll(QStringLiteral("x(y)?"), Expression(), "x", QStringLiteral("<\\1>")), QByteArray("<>"));
    EXPECT_EQ(ReplaceAll(QStringLiteral("and"), Plain(), "and", QStringLiteral("\\1")), QByteArray("\\1"));
}

TEST(DocumentSearch, ALineBreakMatchesBothFormsAndLinesAnchorAtEither)
{
    const std::string_view text = "a</p>\r\n<p>b</p>\n<p>c";
    EXPECT_EQ(Matches(QStringLiteral("</p>\\n<p>"), Expression(), text), (Spans{{1, 9}, {11, 8}}));
    // In a class "\n" stays a line feed.
    EXPECT_EQ(Matches(QStringLiteral("[\\n]<p>"), Expression(), text), (Spans{{6, 4}, {15, 4}}));
    EXPECT_EQ(Matches(QStringLiteral("^<p>."), Expression(), text), (Spans{{7, 4}, {16, 4}}));
    EXPECT_EQ(Matches(QStringLiteral("^<p>.$"), Expression(), text), (Spans{{16, 4}}));
    EXPECT_EQ(Matches(QStringLiteral("p>$"), Expression(), text), (Spans{{3, 2}, {13, 2}}));
}

TEST(DocumentSearch, EmptyMatchesMoveOnAndNeverSplitALineBreak)
{
    const std::string_view text = "ab\r\ncd\n";
    EXPECT_EQ(Matches(QStringLiteral("^"), Expression(), text), (Spans{{0, 0}, {4, 0}}));
    EXPECT_EQ(ReplaceAll(QStringLiteral("x*"), Expression(), text, QStringLiteral("-")),
              QByteArray("-a-b-\r\n-c-d-\n-"));
    EXPECT_EQ(ReplaceAll(QStringLiteral("^"), Expression(), text, QStringLiteral("> ")), QByteArray("> ab\r\n> cd\n"));
}

TEST(DocumentSearch, AnInvalidExpressionSaysWhyAndFindsNothing)
{
    const TDocumentSearch search(QStringLiteral("(abc"), Expression());
    EXPECT_TRUE(search.ErrorText().startsWith(QStringLiteral("The regular expression is not valid: ")))
        << search.ErrorText().toStdString();
    EXPECT_EQ(search.Count("(abc", 0, 4), 0);
    EXPECT_TRUE(TDocumentSearch(QStringLiteral("(abc"), Plain()).ErrorText().isEmpty());
    EXPECT_TRUE(TDocumentSearch(QString(), Expression()).IsEmpty());
}

TEST(DocumentSearch, StrayBytesAreOneCharacterEachAndKeptByTheReplacement)
{
    // A byte that is not UTF-8 between two letters, as a damaged page has.
    const std::string_view text = "xa\xE9"
                                  "b a\xC3\xA9"
                                  "b";
    EXPECT_EQ(Matches(QStringLiteral("a.b"), Expression(), text), (Spans{{1, 3}, {5, 4}}));
    EXPECT_EQ(ReplaceAll(QStringLiteral("(a.b)"), Expression(), text, QStringLiteral("[\\1]")),
              QByteArray("x[a\xE9"
                         "b] [a\xC3\xA9"
                         "b]"));
}

TEST(DocumentSearch, NextAndPreviousStayWithinTheRange)
{
    const std::string_view text = "one two one two one";
    const TDocumentSearch plain(QStringLiteral("one"), Plain());
    const TDocumentSearch expression(QStringLiteral("o.e"), Expression());
    for (const TDocumentSearch *search : {&plain, &expression}) {
        EXPECT_EQ(search->Next(text, 1, 0, 19), (TSearchMatch{8, 3}));
        EXPECT_EQ(search->Next(text, 9, 0, 19), (TSearchMatch{16, 3}));
        // The range ends inside the last "one".
        EXPECT_FALSE(search->Next(text, 9, 0, 18).Found());
        EXPECT_EQ(search->Previous(text, 16, 0, 19), (TSearchMatch{8, 3}));
        EXPECT_EQ(search->Previous(text, 100, 0, 19), (TSearchMatch{16, 3}));
        EXPECT_FALSE(search->Previous(text, 8, 1, 19).Found());
        EXPECT_EQ(search->Count(text, 4, 15), 1);
        EXPECT_EQ(search->Replacement(text, {8, 3}, 0, 19, QStringLiteral("1")), QByteArray("1"));
    }
    // The replacement of one match in a range uses its groups.
    EXPECT_EQ(TDocumentSearch(QStringLiteral("t(w)o"), Expression())
                  .Replacement(text, {4, 3}, 0, 19, QStringLiteral("<\\1>")),
              QByteArray("<w>"));
}

TEST(DocumentSearch, ReplaceAllReportsTheSpanThatChanged)
{
    const std::string_view text = "aa one bb one cc";
    const TDocumentSearch::TReplaced replaced =
        TDocumentSearch(QStringLiteral("one"), Plain()).ReplaceAll(text, 0, 16, QStringLiteral("three"));
    EXPECT_EQ(replaced.text, QByteArray("aa three bb three cc"));
    EXPECT_EQ(replaced.count, 2);
    EXPECT_EQ(replaced.first, 3);
    EXPECT_EQ(replaced.oldEnd, 13);
    EXPECT_EQ(replaced.newEnd, 17);
    // A position after, before and inside a match.
    const TDocumentSearch one(QStringLiteral("one"), Plain());
    EXPECT_EQ(one.ReplaceAll(text, 0, 16, QStringLiteral("three"), 14).kept, 18);
    EXPECT_EQ(one.ReplaceAll(text, 0, 16, QStringLiteral("three"), 2).kept, 2);
    EXPECT_EQ(one.ReplaceAll(text, 0, 16, QStringLiteral("three"), 11).kept, 12);
    // Within a range only.
    EXPECT_EQ(TDocumentSearch(QStringLiteral("one"), Plain()).ReplaceAll(text, 5, 16, QStringLiteral("1")).text,
              QByteArray("aa one bb 1 cc"));
}

} // namespace
