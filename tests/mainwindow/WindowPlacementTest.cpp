// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include "SettingsStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QString MainForm = QStringLiteral("Software\\Velicort\\MainForm");

TEST(WindowPlacement, KeepsTheWindowWhollyOnTheScreen)
{
    const QSize screen(1024, 768);
    // Too wide: the screen width less 10, moved back onto the screen.
    const QRect wide = KeepOnScreen(QRect(300, 4, 2000, 550), screen);
    EXPECT_EQ(wide.width(), 1014);
    EXPECT_GE(wide.left(), 0);
    EXPECT_LE(wide.left() + wide.width(), 1024);
    // Too high: the screen height less 28.
    EXPECT_EQ(KeepOnScreen(QRect(4, 4, 774, 900), screen).height(), 740);
    // Negative corners come to 0; an edge beyond the screen comes back.
    EXPECT_EQ(KeepOnScreen(QRect(-50, -20, 774, 550), screen), QRect(0, 0, 774, 550));
    EXPECT_EQ(KeepOnScreen(QRect(900, 700, 774, 550), screen), QRect(250, 218, 774, 550));
    // A window that fits stays where it is.
    EXPECT_EQ(KeepOnScreen(QRect(4, 4, 774, 550), screen), QRect(4, 4, 774, 550));
}

TEST(WindowPlacement, NormalAndMaximisedWindowsComeBackAsTheyWere)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    {
        QWidget window;
        RestoreWindowPlacement(&window); // a first start: most of the screen, in its middle
        EXPECT_EQ(window.size(),
                  (QSizeF(area.size()) * 0.8).toSize().expandedTo(QSize(774, 550)).boundedTo(area.size()));
        EXPECT_TRUE(area.contains(window.geometry()));
        EXPECT_LE(std::abs(window.geometry().center().x() - area.center().x()), 1);
        window.move(area.topLeft() + QPoint(20, 30));
        window.resize(500, 400);
        SaveWindowPlacement(&window);
    }
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("WindowState"), QString()), QStringLiteral("Normal"));
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("Width"), QString()), QStringLiteral("500"));
    {
        QWidget window;
        RestoreWindowPlacement(&window);
        EXPECT_EQ(window.size(), QSize(500, 400));
        EXPECT_EQ(window.pos(), area.topLeft() + QPoint(20, 30));
        window.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        SaveWindowPlacement(&window);
    }
    // Maximised writes only the state: the normal size stays what it was.
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("WindowState"), QString()), QStringLiteral("Maximized"));
    EXPECT_EQ(ReadRegValue(MainForm, QStringLiteral("Width"), QString()), QStringLiteral("500"));
    QWidget window;
    RestoreWindowPlacement(&window);
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

} // namespace
