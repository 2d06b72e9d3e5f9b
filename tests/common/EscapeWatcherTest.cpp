// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeWatcher.h"

#include "LongRun.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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

TEST(EscapeWatcher, HeldForItsLifeCoversPlainEventProcessingInItsWindowsButNotAQuestionAskedMeanwhile)
{
    QDialog starter; // the dialog that starts the batch: its input waits too
    starter.setModal(true);
    starter.show();
    QLineEdit startersEdit(&starter);
    QLineEdit edit;
    edit.show();
    {
        TEscapeWatcher held({&edit, &starter});
        EXPECT_TRUE(TLongRun::Active());
        PostKey(&edit, Qt::Key_A, QStringLiteral("a"));
        PostKey(&startersEdit, Qt::Key_S, QStringLiteral("s"));
        QCoreApplication::processEvents();
        EXPECT_TRUE(edit.text().isEmpty());
        EXPECT_TRUE(startersEdit.text().isEmpty());

        QDialog question;
        QLineEdit answer(&question);
        QTimer::singleShot(0, &question, [&] {
            PostKey(&answer, Qt::Key_Y, QStringLiteral("y"));
            PostKey(&question, Qt::Key_Escape);
        });
        // Would never end if the question's keys were held back.
        QTimer::singleShot(5000, &question, [&] { question.done(2); });
        EXPECT_EQ(question.exec(), QDialog::Rejected);
        EXPECT_EQ(answer.text(), QStringLiteral("y"));
        EXPECT_TRUE(edit.text().isEmpty());
    }
    EXPECT_FALSE(TLongRun::Active());
    QCoreApplication::processEvents();
    EXPECT_EQ(edit.text(), QStringLiteral("a"));
    EXPECT_EQ(startersEdit.text(), QStringLiteral("s"));
}

TEST(EscapeWatcher, ClicksOnTheRunsOwnWindowGoThroughWhileTheHeldWindowWaits)
{
    QWidget window;
    auto *other = new QPushButton(QStringLiteral("Close"), &window);
    window.show();
    QWidget progress;
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &progress);
    progress.show();
    QSignalSpy cancelled(cancel, &QPushButton::clicked);
    QSignalSpy closed(other, &QPushButton::clicked);
    {
        TEscapeWatcher watcher({&window});
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
