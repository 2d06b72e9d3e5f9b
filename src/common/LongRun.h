// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks an operation that runs on the user-interface thread and lets waiting
// events run now and then (colouring a large range, printing). While one
// lives, nothing may close or change a document underneath it: commands that
// do so from sources other than the user's input wait with WhenIdle, and the
// input itself is held back by the Escape watcher. Runs nest; the waiting
// calls run in order once the outermost one has ended and control is back in
// the event loop.

#include <QObject>

#include <functional>

class TLongRun
{
public:
    TLongRun();
    ~TLongRun();
    TLongRun(const TLongRun &) = delete;
    TLongRun &operator=(const TLongRun &) = delete;

    static bool Active();
    // Runs fn at once when no run is active and nothing waits; otherwise
    // queues it behind what waits already. A call whose context object (never
    // null) is destroyed before its turn is dropped.
    static void WhenIdle(QObject *context, std::function<void()> fn);
};
