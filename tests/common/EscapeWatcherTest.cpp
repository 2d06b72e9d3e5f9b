// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeWatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

TEST(EscapeWatcher, SeesEscapeAndHoldsInputBackOnlyWhileEventsRun)
{
    QLineEdit edit;
    edit.show();
    TEscapeWatcher watcher;
    QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(watcher.Pressed());
    EXPECT_FALSE(watcher.Pressed());
    EXPECT_TRUE(edit.text().isEmpty());
    // A question asked between two polls gets its keys.
    QTest::keyClick(&edit, Qt::Key_B);
    EXPECT_EQ(edit.text(), QStringLiteral("b"));
}
