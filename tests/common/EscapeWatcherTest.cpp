// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeWatcher.h"

#include "LongRun.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
void PostKey(QWidget *receiver, Qt::Key key, const QString &text = QString())
{
    QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
}
} // namespace

TEST(EscapeWatcher, SeesEscapeAndHoldsInputBackUntilTheRunEnds)
{
    QLineEdit edit;
    edit.show();
    QAction close;
    close.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    edit.addAction(&close);
    QSignalSpy triggered(&close, &QAction::triggered);
    {
        TLongRun run;
        TEscapeWatcher watcher;
        PostKey(&edit, Qt::Key_A, QStringLiteral("a"));
        PostKey(&edit, Qt::Key_Escape);
        QCoreApplication::postEvent(&close, new QShortcutEvent(close.shortcut(), 0));
        PostKey(&edit, Qt::Key_B, QStringLiteral("b"));
        EXPECT_TRUE(watcher.Pressed());
        EXPECT_FALSE(watcher.Pressed());
        EXPECT_TRUE(edit.text().isEmpty());
        EXPECT_EQ(triggered.count(), 0);
        // A question asked between two polls gets its keys.
        QTest::keyClick(&edit, Qt::Key_Q);
        EXPECT_EQ(edit.text(), QStringLiteral("q"));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(edit.text(), QStringLiteral("qab"));
    EXPECT_EQ(triggered.count(), 1);
}

TEST(EscapeWatcher, LetsClicksOnItsOwnWidgetThrough)
{
    QWidget window;
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &window);
    auto *other = new QPushButton(QStringLiteral("Close"), &window);
    other->move(0, 40);
    window.show();
    QSignalSpy cancelled(cancel, &QPushButton::clicked);
    QSignalSpy closed(other, &QPushButton::clicked);
    {
        TLongRun run;
        TEscapeWatcher watcher;
        watcher.LetThrough(cancel);
        QMetaObject::invokeMethod(
            cancel,
            [&] {
                QTest::mouseClick(cancel, Qt::LeftButton);
                QTest::mouseClick(other, Qt::LeftButton);
            },
            Qt::QueuedConnection);
        EXPECT_FALSE(watcher.Pressed());
        EXPECT_EQ(cancelled.count(), 1);
        EXPECT_EQ(closed.count(), 0);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(closed.count(), 1);
}
