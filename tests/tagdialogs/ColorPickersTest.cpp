// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqColorCombo.h"
#include "TvqColorSelection.h"

#include "ScriptedMessageService.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ColorCombo : public testing::Test
{
protected:
    void SetUp() override
    {
        m_combo.show();
        m_combo.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_combo));
    }

    TvqColorCombo m_combo;
};

TEST_F(ColorCombo, HoldsTheNineteenItemsInOrder)
{
    ASSERT_EQ(m_combo.count(), 19);
    EXPECT_EQ(m_combo.itemText(0), QStringLiteral("Unassigned"));
    EXPECT_EQ(m_combo.itemText(1), QStringLiteral("Custom..."));
    EXPECT_EQ(m_combo.itemText(3), QStringLiteral("Aqua"));
    EXPECT_EQ(m_combo.itemText(18), QStringLiteral("Yellow"));
    EXPECT_EQ(m_combo.currentIndex(), 0);
    EXPECT_EQ(m_combo.ColorText(), QString());
}

TEST_F(ColorCombo, ReadsColorTextsAndWritesThemBack)
{
    const struct
    {
        const char *read;
        int index;
        const char *written;
    } cases[] = {
        {"#ff0000", 14, "Red"},    // a named colour by its digits
        {"red", 14, "Red"},        // a name in any case
        {"00ff00", 9, "Lime"},     // digits without "#"
        {"#123", 1, "#000123"},    // padded on the left: a custom colour
        {"#8000FF", 1, "#8000FF"}, // any other colour
        {"#000000", 4, "Black"},   // black from zeros is black
        {"xyz", 0, ""},            // unreadable: unassigned
        {"", 0, ""},               // none
        {"Unassigned", 0, ""},     // the caption itself
    };
    for (const auto &c : cases) {
        m_combo.SetColorText(QLatin1String(c.read));
        EXPECT_EQ(m_combo.currentIndex(), c.index) << c.read;
        EXPECT_EQ(m_combo.ColorText(), QLatin1String(c.written)) << c.read;
    }
}

TEST_F(ColorCombo, ForceHexWritesNamedColoursAsDigits)
{
    m_combo.ForceHex = true;
    m_combo.SetColorText(QStringLiteral("Navy"));
    EXPECT_EQ(m_combo.ColorText(), QStringLiteral("#000080"));
}

TEST_F(ColorCombo, KeyboardStepsOverTheSeparator)
{
    m_combo.SetColorText(QStringLiteral("#123456"));
    QTest::keyClick(&m_combo, Qt::Key_Down);
    EXPECT_EQ(m_combo.currentIndex(), 3);
    QTest::keyClick(&m_combo, Qt::Key_Right);
    EXPECT_EQ(m_combo.currentIndex(), 4);
    QTest::keyClick(&m_combo, Qt::Key_Left);
    EXPECT_EQ(m_combo.currentIndex(), 3);
    m_combo.SetColorText(QStringLiteral("#123456"));
    QTest::keyClick(&m_combo, Qt::Key_Space);
    EXPECT_EQ(m_combo.currentIndex(), 3);
    // Up onto "Custom..." asks for the colour; cancelled, the selection stays.
    QTest::keyClick(&m_combo, Qt::Key_Up);
    EXPECT_EQ(m_combo.currentIndex(), 3);
    EXPECT_EQ(Scripted().shownCustomColors.size(), 1);
}

TEST_F(ColorCombo, CustomAsksTheColourDialogWithTheStoredCustomColours)
{
    m_combo.RegRoot = QStringLiteral("Software\\Velicort");
    QSignalSpy selected(&m_combo, &TvqColorCombo::OnColorSelect);
    Scripted().colors = {std::nullopt, TColor(0x00332211)};
    QTest::keyClick(&m_combo, Qt::Key_Down);
    EXPECT_EQ(m_combo.currentIndex(), 0) << "cancelled: nothing changes";
    EXPECT_EQ(selected.count(), 0);
    QTest::keyClick(&m_combo, Qt::Key_Down);
    EXPECT_EQ(m_combo.currentIndex(), 1);
    EXPECT_EQ(m_combo.ColorText(), QStringLiteral("#112233"));
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).value<QColor>(), QColor(0x11, 0x22, 0x33));
    ASSERT_EQ(Scripted().shownCustomColors.size(), 2);
    EXPECT_EQ(Scripted().shownCustomColors.at(0).size(), 16);
    // A named colour is chosen at once.
    QTest::keyClick(&m_combo, Qt::Key_Down);
    EXPECT_EQ(m_combo.ColorText(), QStringLiteral("Aqua"));
    EXPECT_EQ(selected.count(), 2);
}

TEST(ColorSelection, CellsAndOtherChooseTheColour)
{
    TvqColorSelection panel;
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    EXPECT_EQ(panel.Color(), QColor(Qt::white));
    QSignalSpy selected(&panel, &TvqColorSelection::OnColorSelect);
    auto *red = panel.findChild<QWidget *>(QStringLiteral("cell9"));
    ASSERT_TRUE(red);
    EXPECT_EQ(red->pos(), QPoint(20, 38));
    QTest::mouseClick(red, Qt::LeftButton);
    EXPECT_EQ(panel.Color(), QColor(Qt::red));
    EXPECT_EQ(selected.count(), 1);

    auto *other = panel.findChild<QPushButton *>(QStringLiteral("TSelectButton"));
    Scripted().colors = {TColor(0x00FF8000), std::nullopt};
    other->click();
    EXPECT_EQ(panel.Color(), QColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(selected.count(), 2);
    other->click();
    EXPECT_FALSE(panel.isVisible()) << "cancelled: the panel goes";
    EXPECT_EQ(selected.count(), 2);
}

} // namespace
