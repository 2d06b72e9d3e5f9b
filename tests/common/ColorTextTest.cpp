// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorDialog.h"
#include "Colors.h"
#include "SettingsStore.h"

#include "ScriptedMessageService.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

const QString Section = QStringLiteral("Software\\Velicort\\FontDialog");
const QString StoredKey = Section + QStringLiteral("\\CustomColors");

QStringList AllWhite()
{
    QStringList white;
    for (char letter = 'A'; letter <= 'P'; ++letter)
        white.append(QStringLiteral("Color%1=FFFFFF").arg(QChar(letter)));
    return white;
}

TEST(ColorText, HexTextReadsRedFirstAndPadsOnTheLeft)
{
    struct
    {
        const char *text;
        int expected;
    } const cases[] = {
        {"$FF", 255},         {"FFFFFF", 16777215}, {"ff8000", 0xFF8000}, {"", 0},
        {"GG0010", 0x000010}, // a pair that is not hex reads 0, signs and blanks included
        {"-1FFFF", 0x00FFFF}, {" F1234", 0x001234},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HexTextToColor(QString::fromLatin1(c.text)), c.expected);
    }
}

TEST(ColorText, ColorToHexTextWritesRedFirstAndResolvesSystemColors)
{
    EXPECT_EQ(ColorToHexText(0x0080FF), QStringLiteral("FF8000")); // a TColor keeps blue highest
    const QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Base, QColor(0x12, 0xAB, 0x9C));
    QGuiApplication::setPalette(palette);
    EXPECT_EQ(ColorToHexText(clWindow), QStringLiteral("12AB9C"));
    QGuiApplication::setPalette(saved);
}

TEST(CustomColors, LoadGivesWhiteForMissingEntriesAndSaveReplacesAllStored)
{
    TColorDialog dialog;
    dialog.CustomColors = {QStringLiteral("left over")};
    LoadCustomColors(Section, dialog);
    EXPECT_EQ(dialog.CustomColors, AllWhite());

    dialog.CustomColors[15] = QStringLiteral("ColorP=ABCDEF");
    SaveCustomColors(Section, dialog);
    TColorDialog loaded;
    LoadCustomColors(Section, loaded);
    EXPECT_EQ(loaded.CustomColors, dialog.CustomColors);

    // Fewer strings leave no stale entries behind.
    dialog.CustomColors = {QStringLiteral("ColorA=000001")};
    SaveCustomColors(Section, dialog);
    LoadCustomColors(Section, loaded);
    EXPECT_EQ(loaded.CustomColors, QStringList{QStringLiteral("ColorA=000001")} + AllWhite().mid(1));
}

TEST(CustomColors, TheDialogShowsTheStoredColorsAndSavesThemOnlyOnOk)
{
    WriteRegValue(StoredKey, QStringLiteral("Color2"), QStringLiteral("ColorB=123456"));
    TColorDialog dialog;
    dialog.Color = 0x0000FF;
    const QString other = QStringLiteral("Software\\Velicort\\Other");
    Scripted().colors = {std::nullopt, TColor(0x00FF00)};
    EXPECT_FALSE(ExecuteColorDialog(other, dialog));
    EXPECT_EQ(dialog.Color, 0x0000FFu);
    EXPECT_EQ(ReadRegValue(other + QStringLiteral("\\CustomColors"), QStringLiteral("Color1"), 0), QStringLiteral("0"));

    EXPECT_TRUE(ExecuteColorDialog(Section, dialog));
    EXPECT_EQ(dialog.Color, 0x00FF00u);
    EXPECT_EQ(Scripted().shownCustomColors.value(1).value(1), QStringLiteral("ColorB=123456"));
    EXPECT_EQ(ReadRegValue(StoredKey, QStringLiteral("Color1"), 0), QStringLiteral("ColorA=FFFFFF"));
}

} // namespace
