// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordScanner.h"
#include "PhoneticKey.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace {

// The words of a text as the scanner takes them.
QStringList Words(const std::string &text, bool anyLetter)
{
    const TWordScanner scanner(anyLetter);
    QStringList words;
    for (auto word = scanner.NextWord(text, 0, qsizetype(text.size())); word.Found();
         word = scanner.NextWord(text, word.End(), qsizetype(text.size())))
        words.append(QString::fromUtf8(text.data() + word.start, word.length));
    return words;
}

} // namespace

TEST(WordScanner, WordsRunOverLettersAndApostrophes)
{
    EXPECT_EQ(Words("Don't stop\r\nthe 'tis 3rd x2y dogs' end.", true),
              QStringList({"Don't", "stop", "the", "tis", "rd", "x", "y", "dogs", "end"}));
    // A word that ends a line ends there.
    EXPECT_EQ(Words("one\ntwo", false), QStringList({"one", "two"}));
}

TEST(WordScanner, LettersOfTheDocumentsEncoding)
{
    // Windows-1252 letters are word characters in both kinds of document.
    EXPECT_EQ(Words("café naïve Œuvre Šárka", false), QStringList({"café", "naïve", "Œuvre", "Šárka"}));
    EXPECT_EQ(Words("café naïve Œuvre Šárka", true), QStringList({"café", "naïve", "Œuvre", "Šárka"}));
    // Other letters only in a UTF-8 document; × and ÷ never.
    EXPECT_EQ(Words("λόγος дом 3×4 ªb", false), QStringList({"b"}));
    EXPECT_EQ(Words("λόγος дом 3×4 ªb", true), QStringList({"λόγος", "дом", "ªb"}));
}

TEST(WordScanner, PositionsAreBytes)
{
    const std::string text = "é café x";
    const TWordScanner scanner(true);
    const auto first = scanner.NextWord(text, 0, qsizetype(text.size()));
    EXPECT_EQ(first.start, 0);
    EXPECT_EQ(first.length, 2);
    const auto second = scanner.NextWord(text, first.End(), qsizetype(text.size()));
    EXPECT_EQ(second.start, 3);
    EXPECT_EQ(second.length, 5);
    // The end of a range cuts a word.
    EXPECT_EQ(scanner.NextWord(text, 3, 5).length, 2);
    EXPECT_FALSE(scanner.NextWord(text, 8, 9).Found());
}

TEST(WordScanner, WidenToWords)
{
    const std::string text = "a naïve dogs' bone";
    const TWordScanner scanner(true);
    // Backwards over letters only, forwards over letters and apostrophes.
    EXPECT_EQ(scanner.WidenToWords(text, 3, 4), std::make_pair(qsizetype(2), qsizetype(8)));
    EXPECT_EQ(scanner.WidenToWords(text, 10, 11), std::make_pair(qsizetype(9), qsizetype(14)));
    EXPECT_EQ(scanner.WidenToWords(text, 0, qsizetype(text.size())),
              std::make_pair(qsizetype(0), qsizetype(text.size())));
    EXPECT_TRUE(scanner.HasWordCharacter(text, 7, 10));
    EXPECT_FALSE(scanner.HasWordCharacter("  12 -- \r\n", 0, 10));
}

TEST(PhoneticKey, SoundAlikesShareAKey)
{
    EXPECT_EQ(PhoneticKey(QStringLiteral("phonetic")), QStringLiteral("FNTK"));
    EXPECT_EQ(PhoneticKey(QStringLiteral("fonetik")), QStringLiteral("FNTK"));
    EXPECT_EQ(PhoneticKey(QStringLiteral("knight")), PhoneticKey(QStringLiteral("nite")));
    EXPECT_EQ(PhoneticKey(QStringLiteral("Wright")), PhoneticKey(QStringLiteral("rite")));
    EXPECT_EQ(PhoneticKey(QStringLiteral("city")), PhoneticKey(QStringLiteral("sity")));
    EXPECT_EQ(PhoneticKey(QStringLiteral("café")), PhoneticKey(QStringLiteral("kafe")));
    EXPECT_EQ(PhoneticKey(QStringLiteral("apple")).front(), u'A');
    EXPECT_NE(PhoneticKey(QStringLiteral("cat")), PhoneticKey(QStringLiteral("dog")));
    EXPECT_EQ(EditDistance(QStringLiteral("kitten"), QStringLiteral("sitting")), 3);
    EXPECT_EQ(EditDistance(QString(), QStringLiteral("abc")), 3);
}
