// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpellDictionary.h"
#include "Dictionaries.h"
#include "TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SpellDictionary : public testing::Test
{
protected:
    // A small Hunspell dictionary in an encoding.
    QString WriteDictionary(const QByteArray &encoding, const QByteArray &words)
    {
        const QString dic = m_dir.filePath(QStringLiteral("small.dic"));
        WriteTestFile(m_dir.filePath(QStringLiteral("small.aff")),
                      "SET " + encoding + "\nTRY esianrtolcdugmphbyfvkwz\n");
        WriteTestFile(dic, QByteArray::number(words.count('\n')) + '\n' + words);
        return dic;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SpellDictionary, MainDictionaryMustBeReadable)
{
    TSpellDictionary dictionary;
    EXPECT_FALSE(dictionary.OpenMain(m_dir.filePath(QStringLiteral("none.dic"))));
    // A ".dic" without its ".aff".
    const QString dic = WriteDictionary("UTF-8", "hello\n");
    QFile::remove(m_dir.filePath(QStringLiteral("small.aff")));
    EXPECT_FALSE(dictionary.OpenMain(dic));
    EXPECT_FALSE(dictionary.IsOpen());
    EXPECT_FALSE(dictionary.Known("hello"));
}

TEST_F(SpellDictionary, WordsInTheDictionarysEncoding)
{
    TSpellDictionary dictionary;
    ASSERT_TRUE(dictionary.OpenMain(WriteDictionary("ISO8859-1", "caf\xe9\nhello\n")));
    // The checker gives UTF-8.
    EXPECT_TRUE(dictionary.Known("café"));
    EXPECT_TRUE(dictionary.Known("Hello"));
    EXPECT_FALSE(dictionary.Known("cafe"));
    EXPECT_TRUE(dictionary.Suggest(QStringLiteral("cafe"), 5).contains(QStringLiteral("café")));
}

TEST_F(SpellDictionary, UserDictionaryIsCreatedAndWritten)
{
    TSpellDictionary dictionary;
    ASSERT_TRUE(dictionary.OpenMain(WriteDictionary("UTF-8", "hello\n")));
    const QString user = m_dir.filePath(QStringLiteral("data/Custom.dct"));
    EXPECT_EQ(dictionary.OpenUser(user), -1);
    EXPECT_TRUE(QFileInfo::exists(user));
    EXPECT_EQ(QFileInfo(user).size(), 0);

    EXPECT_FALSE(dictionary.Known("Zorblaxé"));
    EXPECT_TRUE(dictionary.Add(QStringLiteral("Zorblaxé")));
    EXPECT_TRUE(dictionary.Add(QStringLiteral("velicort")));
    EXPECT_TRUE(dictionary.Add(QStringLiteral("velicort")));
    EXPECT_TRUE(dictionary.Known("Zorblaxé"));
    EXPECT_EQ(ReadAll(user), QByteArray("Zorblaxé\nvelicort\n"));

    TSpellDictionary again;
    ASSERT_TRUE(again.OpenMain(m_dir.filePath(QStringLiteral("small.dic"))));
    EXPECT_EQ(again.OpenUser(user), 2);
    EXPECT_TRUE(again.Known("Zorblaxé"));
    EXPECT_TRUE(again.Known("Velicort"));
    // The user's words are suggested like the others.
    EXPECT_TRUE(again.Suggest(QStringLiteral("velicrt"), 5).contains(QStringLiteral("velicort")));
}

TEST(SystemDictionary, SuggestsCloseMatchesAndSoundAlikes)
{
    TSpellDictionary dictionary;
    ASSERT_TRUE(dictionary.OpenMain(DictionaryFilePath(DefaultDictionaryName)));
    EXPECT_TRUE(dictionary.Known("Don't"));
    EXPECT_FALSE(dictionary.Known("naïve"));
    EXPECT_EQ(dictionary.Suggest(QStringLiteral("teh"), 10).value(0), QStringLiteral("the"));
    EXPECT_LE(dictionary.Suggest(QStringLiteral("teh"), 3).size(), 3);

    const QStringList sounds = dictionary.Phoneme(QStringLiteral("fonetik"), 10);
    EXPECT_TRUE(sounds.mid(0, 3).contains(QStringLiteral("phonetic"))) << sounds.join(u' ').toStdString();
    EXPECT_LE(sounds.size(), 10);
    EXPECT_TRUE(dictionary.Phoneme(QStringLiteral("fizikz"), 10).contains(QStringLiteral("physics")))
        << dictionary.Phoneme(QStringLiteral("fizikz"), 10).join(u' ').toStdString();
}

TEST(SystemDictionary, InstalledDictionariesByName)
{
    EXPECT_TRUE(InstalledDictionaries().contains(DefaultDictionaryName));
    EXPECT_TRUE(QFileInfo::exists(DictionaryFilePath(DefaultDictionaryName)));
    EXPECT_EQ(DictionaryFilePath(QStringLiteral("/tmp/x/my.dic")), QStringLiteral("/tmp/x/my.dic"));
    EXPECT_FALSE(QFileInfo::exists(DictionaryFilePath(QStringLiteral("xx_NONE"))));
}
