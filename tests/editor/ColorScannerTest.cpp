// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorScanner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The style of every position of the text after colouring all of it, as one
// character per position: '.' plain, 'T' tags, 'A' anchors, 'I' images,
// 'C' comments, 'B' tables, 'Q' quotes, 'S' scripts.
std::string Styles(const std::string &text, TColorCodeMode mode, qsizetype start = 0, qsizetype end = -1)
{
    if (end < 0)
        end = qsizetype(text.size());
    const auto result = TColorScanner::ColorRange(text, start, end, mode);
    std::string out(text.size(), ' ');
    const char letters[] = ".TAICBQS";
    for (size_t i = 0; i < result.styles.size(); ++i)
        out[size_t(result.first) + i] = letters[int(result.styles[i])];
    return out;
}

} // namespace

TEST(ColorScanner, ClassifiesTagsByTheirFirstEightCharacters)
{
    struct Case
    {
        const char *tag;
        TStyleClass style;
    } cases[] = {
        {"<A HREF=x>", scAnchors},
        {"</a>", scAnchors},
        {"<img src=x>", scImages},
        {"<TR X>", scTables},
        {"<TR>", scTables},
        {"<td\tnowrap>", scTags},
        {"</TABLE>", scTables},
        {"<th>", scTables},
        {"<SCRIPT>", scScripts},
        {"<style>", scScripts},
        {"<span class=x>", scScripts},
        {"<INSERT>", scScripts},
        {"<param name=x>", scScripts},
        {"<OBJECT>", scScripts},
        {"<!-- x -->", scTags},
        {"<% x %>", scTags},
        {"<>", scTags},
        {"<ABBR>", scTags},
        {"<A\r\nHREF=x>", scTags},
        {"<OBJECTS>", scTags},
        {"<IMG>", scImages},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClassifyTagStyle(c.tag), c.style) << c.tag;
}

TEST(ColorScanner, FullModePaintsCommentsScriptsAndQuotesOverTags)
{
    // The comment is painted whole plus the character after its "->".
    EXPECT_EQ(Styles("<!-- x -->ab", ccFull), "CCCCCCCCCCC.");
    EXPECT_EQ(Styles("a<A HREF=\"x\">b</A>", ccFull), ".AAAAAAAAQQQA.AAAA");
    EXPECT_EQ(Styles("x<% y %>z", ccFull), ".SSSSSSSS");
    EXPECT_EQ(Styles("/* c */ d", ccFull), "CCCCCCCC.");
    // Delimiters that touch each other or the ends of the text.
    EXPECT_EQ(Styles("/**/xy", ccFull), "CCCCC.");
    EXPECT_EQ(Styles("a<%", ccFull), ".SS");
    EXPECT_EQ(Styles("<!", ccFull), "TT");
    EXPECT_EQ(Styles("%>-><%", ccFull), "....SS");
    // A quoted string outside any tag; an odd quote paints to the end.
    EXPECT_EQ(Styles("say \"hi\" \"there", ccFull), "....QQQQ.QQQQQQ");
}

TEST(ColorScanner, MinimalModeUsesTheTagStyleOnly)
{
    EXPECT_EQ(Styles("<A HREF=\"x\"> <!-- c -->", ccMinimal), "TTTTTTTTTTTT.TTTTTTTTTT");
    EXPECT_EQ(Styles("<A>\"q\"", ccMinimal), "TTT...");
}

TEST(ColorScanner, UnterminatedTagsAndSpansRunToTheEndOfTheRange)
{
    EXPECT_EQ(Styles("ab <TABLE", ccFull), "...BBBBBB");
    EXPECT_EQ(Styles("ab <!-- never closed", ccFull), "...CCCCCCCCCCCCCCCCC");
}

TEST(ColorScanner, ATagStartingInTheRangeIsColouredToItsClosingBracket)
{
    const std::string text = "<IMG\r\nSRC=x> after";
    // Only the first line is in the range, the tag goes on to its ">". A
    // line break does not end the name, so this is no image tag.
    EXPECT_EQ(Styles(text, ccFull, 0, 5), "TTTTTTTTTTTT      ");
    // The range itself is reset to plain even where nothing is painted.
    EXPECT_EQ(Styles("x <B> y", ccFull, 0, 1), "..     ");
}

TEST(ColorScanner, NoneModeResetsTheRangeToPlain)
{
    EXPECT_EQ(Styles("<A>x", ccNone), "....");
}

TEST(ColorScanner, StopsWhenTheTickAsksAndSkipsTheSpanPasses)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "<B>\"q\"";
    int ticks = 0;
    const auto result = TColorScanner::ColorRange(text, 0, qsizetype(text.size()), ccFull, [&](qsizetype p) {
        ++ticks;
        EXPECT_EQ(p, 21 * 6 - 3);
        return true;
    });
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(ticks, 1);
    // Tags before the stop are painted, nothing after it, and no quotes.
    EXPECT_EQ(result.styles[0], scTags);
    EXPECT_EQ(result.styles[3], scPlain);
    EXPECT_EQ(result.styles[size_t(22 * 6)], scPlain);
}

TEST(ColorScanner, TheSpanPassesTickTooAndStopWhenAsked)
{
    // No tags at all: every tick comes from the passes over quotes.
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "\"q\" ";
    const auto size = qsizetype(text.size());
    int ticks = 0;
    auto result = TColorScanner::ColorRange(text, 0, size, ccFull, [&](qsizetype p) {
        ++ticks;
        EXPECT_EQ(p, size);
        return false;
    });
    EXPECT_FALSE(result.aborted);
    EXPECT_EQ(ticks, 100 / 21);
    EXPECT_EQ(result.styles[size_t(size) - 2], scQuotes);

    result = TColorScanner::ColorRange(text, 0, size, ccFull, [](qsizetype) { return true; });
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(result.styles[0], scQuotes);
    EXPECT_EQ(result.styles[size_t(size) - 2], scPlain); // stopped before the last span
}

TEST(ColorScanner, StoredModeNumbers)
{
    EXPECT_EQ(ColorCodeModeFromNumber(0), ccNone);
    EXPECT_EQ(ColorCodeModeFromNumber(1), ccMinimal);
    EXPECT_EQ(ColorCodeModeFromNumber(2), ccFull);
    EXPECT_EQ(ColorCodeModeFromNumber(7), ccMinimal);
    EXPECT_EQ(ColorCodeModeFromNumber(-1), ccMinimal);
}

namespace {

// Which positions MarkWords gives a twin style: '1' twin, '0' not.
std::string Twins(const std::string &text, TColorCodeMode mode)
{
    auto result = TColorScanner::ColorRange(text, 0, qsizetype(text.size()), mode);
    const std::vector<char> classes = result.styles;
    TColorScanner::MarkWords(std::string_view(text).substr(size_t(result.first), result.styles.size()),
                             result.styles.data());
    std::string out;
    for (size_t i = 0; i < result.styles.size(); ++i) {
        // The class itself never changes.
        EXPECT_EQ(StyleClassOf(uchar(result.styles[i])), classes[i]) << i;
        out += uchar(result.styles[i]) & StyleTwin ? '1' : '0';
    }
    return out;
}

TEST(ColorScanner, WordsOfOneRunAlternateWithTheTwinStyleAndEachRunStartsPlain)
{
    const struct
    {
        std::string text;
        std::string twins;
    } cases[] = {
        // Plain words alternate, their blanks going with the word before.
        {"one two three four", "000011110000001111"},
        // A new class starts afresh; the tag's own words alternate too.
        {"ab cd<P CLASS=x>ef gh", "000110001111111100011"},
        // Line breaks and tabs separate words as blanks do.
        {"a\r\nb\tc", "000110"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Twins(c.text, ccFull), c.twins) << c.text;
}

} // namespace
