// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeWatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
constexpr qint64 PollIntervalMs = 25;
}

bool TEscapeWatcher::Pressed()
{
    if (!m_sincePoll.isValid() || m_sincePoll.elapsed() >= PollIntervalMs) {
        // Only while the waiting events run: a question asked between polls
        // must get its keys and clicks.
        QCoreApplication::instance()->installEventFilter(this);
        QCoreApplication::processEvents();
        QCoreApplication::instance()->removeEventFilter(this);
        m_sincePoll.start();
    }
    const bool pressed = m_pressed;
    m_pressed = false;
    return pressed;
}

bool TEscapeWatcher::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            m_pressed = true;
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
