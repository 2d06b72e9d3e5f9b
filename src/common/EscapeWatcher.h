// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lets a long operation that runs on the user-interface thread notice the
// Escape key. Pressed() lets waiting events run, at most every few
// milliseconds, with user input held back from the widgets (the operation
// owns the document) except that an Escape press is remembered, and tells
// whether Escape was pressed since the last query.

#include <QElapsedTimer>
#include <QObject>

class TEscapeWatcher : public QObject
{
public:
    bool Pressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QElapsedTimer m_sincePoll;
    bool m_pressed = false;
};
