// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsStore.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
const QString Key = QStringLiteral("Software\\Velicort");
}

TEST(SettingsStore, MissingValuesGiveTheDefaultAsText)
{
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Missing"), true), QStringLiteral("-1"));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Missing"), false), QStringLiteral("0"));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Missing"), 42), QStringLiteral("42"));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Missing"), QStringLiteral("x")), QStringLiteral("x"));
    // Reading creates nothing.
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));
}

TEST(SettingsStore, ValuesAreStoredAsTextAndNamesCompareWithoutCase)
{
    WriteRegValue(Key, QStringLiteral("LowerCaseTags"), false);
    WriteRegValue(QStringLiteral("software\\VELICORT\\ColorCoding"), QStringLiteral("DefaultFontSize"), 10);
    WriteRegValue(Key, QStringLiteral("Name"), QStringLiteral("a=b; c\\d \"e\""));
    EXPECT_EQ(ReadRegValue(QStringLiteral("SOFTWARE\\velicort"), QStringLiteral("lowercasetags"), true),
              QStringLiteral("0"));
    EXPECT_EQ(ReadRegValue(Key + QStringLiteral("\\colorcoding"), QStringLiteral("defaultfontsize"), 8),
              QStringLiteral("10"));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("NAME"), QString()), QStringLiteral("a=b; c\\d \"e\""));
    // Writing under another case keeps one value, not two.
    WriteRegValue(Key, QStringLiteral("LOWERCASETAGS"), true);
    EXPECT_TRUE(ReadRegBool(Key, QStringLiteral("LowerCaseTags"), false));
}

TEST(SettingsStore, IntegersReadDecimalOrHexAndFallBackWhenNotNumbers)
{
    WriteRegValue(Key, QStringLiteral("Decimal"), QStringLiteral("8388608"));
    WriteRegValue(Key, QStringLiteral("Hex"), QStringLiteral("0x80000005"));
    WriteRegValue(Key, QStringLiteral("Word"), QStringLiteral("navy"));
    EXPECT_EQ(ReadRegInteger(Key, QStringLiteral("Decimal"), 0), 8388608);
    EXPECT_EQ(ReadRegInteger(Key, QStringLiteral("Hex"), 0), 0x80000005LL);
    EXPECT_EQ(ReadRegInteger(Key, QStringLiteral("Word"), 7), 7);
    EXPECT_EQ(ReadRegBool(Key, QStringLiteral("Word"), true), true);
}

TEST(SettingsStore, BooleansReadTheProgramsFormAndHandEditedOnes)
{
    struct
    {
        const char *stored;
        bool whenDefaultFalse, whenDefaultTrue;
    } const cases[] = {
        {"-1", true, true},   {"0", false, false},  {"1", true, true},       {" -1 ", true, true},
        {"true", true, true}, {"TRUE", true, true}, {"false", false, false}, {"False", false, false},
        {"", false, true},    {"yes", false, true}, {"0x1", true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        WriteRegValue(Key, QStringLiteral("Flag"), QString::fromUtf8(c.stored));
        EXPECT_EQ(ReadRegBool(Key, QStringLiteral("Flag"), false), c.whenDefaultFalse);
        EXPECT_EQ(ReadRegBool(Key, QStringLiteral("Flag"), true), c.whenDefaultTrue);
    }
    EXPECT_TRUE(ReadRegBool(Key, QStringLiteral("Missing"), true));
    EXPECT_FALSE(ReadRegBool(Key, QStringLiteral("Missing"), false));
}

TEST(SettingsStore, ErasingAKeyTakesItsValuesAndSubkeys)
{
    WriteRegValue(Key + QStringLiteral("\\LinkVerify"), QStringLiteral("A"), 1);
    WriteRegValue(Key + QStringLiteral("\\LinkVerify\\Sub"), QStringLiteral("B"), 2);
    WriteRegValue(Key, QStringLiteral("Kept"), 3);
    EraseRegKey(QStringLiteral("software\\velicort\\linkverify"));
    EXPECT_EQ(ReadRegValue(Key + QStringLiteral("\\LinkVerify"), QStringLiteral("A"), 0), QStringLiteral("0"));
    EXPECT_EQ(ReadRegValue(Key + QStringLiteral("\\LinkVerify\\Sub"), QStringLiteral("B"), 0), QStringLiteral("0"));
    EXPECT_EQ(ReadRegValue(Key, QStringLiteral("Kept"), 0), QStringLiteral("3"));
}

TEST(SettingsStore, ABatchWritesItsValuesTogetherWhenItEnds)
{
    const QString key = QStringLiteral("Software\\Velicort\\Batch");
    // What the file on disk holds.
    const auto stored = [](const char *line) {
        QFile file(SettingsFilePath());
        return file.open(QIODevice::ReadOnly) && file.readAll().contains(line);
    };
    {
        const TSettingsBatch batch;
        WriteRegValue(key, QStringLiteral("One"), 1);
        {
            const TSettingsBatch inner;
            WriteRegValue(key, QStringLiteral("Two"), true);
        }
        // Read back within the batch, without regard to case, before the file has it.
        EXPECT_EQ(ReadRegValue(QStringLiteral("software\\velicort\\batch"), QStringLiteral("two"), 0),
                  QStringLiteral("-1"));
        EXPECT_FALSE(stored("One=1"));
        EraseRegKey(QStringLiteral("Software\\Velicort\\Gone"));
    }
    EXPECT_TRUE(stored("One=1"));
    EXPECT_TRUE(stored("Two=-1"));
    // Without a batch each value reaches the file at once.
    WriteRegValue(key, QStringLiteral("Three"), 3);
    EXPECT_TRUE(stored("Three=3"));
}
