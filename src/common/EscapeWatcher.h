// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lets a long operation that runs on the user-interface thread notice the
// Escape key. Pressed() lets waiting events run, at most every few
// milliseconds, and tells whether Escape was pressed since the last query.
// The user's input that arrives meanwhile is held back, not lost: the
// operation owns the document, so keys, clicks and menu shortcuts reach their
// receivers in order once the outermost long run has ended (TLongRun). Only
// Escape is taken.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class TEscapeWatcher : public QObject
{
public:
    bool Pressed();
    // Lets the clicks on a widget and its children through at once: the
    // Cancel button of the run's own progress window.
    void LetThrough(QWidget *widget) { m_letThrough = widget; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QElapsedTimer m_sincePoll;
    bool m_pressed = false;
    QPointer<QWidget> m_letThrough;
};

// Runs the work on a thread of its own while the window goes on answering,
// input held back until the work is done, as during any long run. For work
// that touches no widget and takes long enough to be felt (reading a large
// file).
void RunAside(const std::function<void()> &work);
