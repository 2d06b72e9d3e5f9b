// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answers a modal dialog of the program's own from a test: the action runs
// once the next dialog of the type is the active modal one.

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

template <typename Dialog> void WhenShown(std::function<void(Dialog *)> act)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start(10);
}

// Runs act on the dialog the next command shows, which must carry the
// caption, then closes it with OK.
inline void AnswerNextDialog(const QString &caption, std::function<void(QDialog *)> act)
{
    QTimer::singleShot(0, [caption, act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), caption);
        act(dialog);
        dialog->accept();
    });
}
