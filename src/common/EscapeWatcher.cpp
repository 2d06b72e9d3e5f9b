// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeWatcher.h"

#include "LongRun.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <chrono>
#include <future>
#include <memory>

namespace {
constexpr qint64 PollIntervalMs = 25;
}

bool TEscapeWatcher::Pressed()
{
    if (!m_sincePoll.isValid() || m_sincePoll.elapsed() >= PollIntervalMs) {
        // Held input waits for the end of a run, also when the caller holds
        // none itself.
        TLongRun run;
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
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            m_pressed |= event->type() == QEvent::KeyPress;
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (auto *widget = qobject_cast<QWidget *>(watched);
            widget && m_letThrough && (widget == m_letThrough || m_letThrough->isAncestorOf(widget)))
            return false;
        break;
    case QEvent::Wheel:
    case QEvent::InputMethod:
    // A menu command's key: the shortcut map sends it to the action once the
    // focus widget did not claim the key (ShortcutOverride passes unchanged,
    // as swallowing it unaccepted would fire the shortcut at once).
    case QEvent::Shortcut:
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    std::shared_ptr<QEvent> held(event->clone());
    TLongRun::WhenIdle(watched, [watched, held] { QCoreApplication::sendEvent(watched, held.get()); });
    return true;
}

void RunAside(const std::function<void()> &work)
{
    const TLongRun run;
    TEscapeWatcher pump;
    auto done = std::async(std::launch::async, work);
    while (done.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        pump.Pressed();
    done.get();
}
