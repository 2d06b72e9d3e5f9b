// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeWatcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>

namespace {
constexpr qint64 PollIntervalMs = 25;
}

TEscapeWatcher::TEscapeWatcher(const QList<QWidget *> &heldWindows)
{
    m_run.emplace();
    for (QWidget *window : heldWindows)
        if (window)
            m_heldWindows.append(window->window());
    QCoreApplication::instance()->installEventFilter(this);
}

TEscapeWatcher::~TEscapeWatcher()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TEscapeWatcher::Pressed()
{
    if (!m_sincePoll.isValid() || m_sincePoll.elapsed() >= PollIntervalMs) {
        // Held input waits for the end of a run, also when the caller holds
        // none itself.
        const TLongRun run;
        // Unless held for the watcher's life, only while the waiting events
        // run: a question asked between polls must get its keys and clicks.
        if (!m_run)
            QCoreApplication::instance()->installEventFilter(this);
        QCoreApplication::processEvents();
        if (!m_run)
            QCoreApplication::instance()->removeEventFilter(this);
        m_sincePoll.start();
    }
    const bool pressed = m_pressed;
    m_pressed = false;
    return pressed;
}

bool TEscapeWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (m_run && !Held(watched))
        return QObject::eventFilter(watched, event);
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

bool TEscapeWatcher::Held(QObject *receiver) const
{
    QWidget *widget = qobject_cast<QWidget *>(receiver);
    // A menu command's shortcut goes to its action, owned by its window.
    if (auto *action = qobject_cast<QAction *>(receiver))
        widget = qobject_cast<QWidget *>(action->parent());
    if (auto *window = qobject_cast<QWindow *>(receiver)) {
        return std::any_of(m_heldWindows.begin(), m_heldWindows.end(),
                           [window](const QPointer<QWidget> &held) { return held && held->windowHandle() == window; });
    }
    return widget && m_heldWindows.contains(widget->window());
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
