// SPDX-License-Identifier: GPL-3.0-or-later
#include "LongRun.h"

#include <QCoreApplication>
#include <QPointer>

#include <deque>

namespace {

struct TIdleCall
{
    QPointer<QObject> context;
    std::function<void()> fn;
};

int g_depth = 0;
std::deque<TIdleCall> g_waiting;
bool g_runPosted = false;

void RunWaitingCalls()
{
    g_runPosted = false;
    // A call may start a run of its own; what arrives during it waits for
    // the calls queued before.
    while (g_depth == 0 && !g_waiting.empty()) {
        TIdleCall call = std::move(g_waiting.front());
        g_waiting.pop_front();
        if (call.context)
            call.fn();
    }
}

// Not at once: the code that held the run is still on the stack and may use
// what a waiting call would close.
void PostWaitingCalls()
{
    if (g_runPosted || g_waiting.empty())
        return;
    g_runPosted = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &RunWaitingCalls, Qt::QueuedConnection);
}

} // namespace

TLongRun::TLongRun()
{
    ++g_depth;
}

TLongRun::~TLongRun()
{
    if (--g_depth == 0)
        PostWaitingCalls();
}

bool TLongRun::Active()
{
    return g_depth > 0;
}

void TLongRun::WhenIdle(QObject *context, std::function<void()> fn)
{
    if (g_depth == 0 && g_waiting.empty()) {
        fn();
        return;
    }
    g_waiting.push_back({context, std::move(fn)});
    if (g_depth == 0)
        PostWaitingCalls();
}
