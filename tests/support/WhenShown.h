// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answers a modal dialog of the program's own from a test: the action runs
// once the next dialog of the type is the active modal one.

#include <QApplication>
#include <QTimer>

#include <functional>

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
