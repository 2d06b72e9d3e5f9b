// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs a check on the Publish window once it shows as the modal window, then
// closes it.

#include "TfPublish.h"

#include <QApplication>
#include <QTimer>

#include <functional>

inline void WhenPublishWindowShows(std::function<void(TfPublish &)> check)
{
    QTimer::singleShot(10, [check] {
        auto *window = qobject_cast<TfPublish *>(QApplication::activeModalWidget());
        if (!window)
            return WhenPublishWindowShows(check);
        check(*window);
        window->reject();
    });
}
