// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lets a long operation that runs on the user-interface thread notice the
// Escape key. Pressed() lets waiting events run, at most every few
// milliseconds, and tells whether Escape was pressed since the last query.
// The user's input that arrives meanwhile is held back, not lost: the
// operation owns the document, so keys, clicks and menu shortcuts reach their
// receivers in order once the outermost long run has ended (TLongRun). Only
// Escape is taken.

#include "LongRun.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class TEscapeWatcher : public QObject
{
public:
    // Held input waits while Pressed() lets events run.
    TEscapeWatcher() = default;
    // Held for the watcher's whole life, also through the plain event
    // processing of the code it covers (a batch of documents opening, a
    // spell check waiting for its window): the input to these windows (the
    // main window, the dialog that started the run) waits; other windows (a
    // question asked meanwhile, the run's own window) get theirs.
    explicit TEscapeWatcher(const QList<QWidget *> &heldWindows);
    ~TEscapeWatcher() override;

    bool Pressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Held(QObject *receiver) const;

    // The run and the windows held for the watcher's whole life.
    std::optional<TLongRun> m_run;
    QList<QPointer<QWidget>> m_heldWindows;
    QElapsedTimer m_sincePoll;
    bool m_pressed = false;
};

// Runs the work on a thread of its own while the window goes on answering,
// input held back until the work is done, as during any long run. For work
// that touches no widget and takes long enough to be felt (reading a large
// file).
void RunAside(const std::function<void()> &work);
