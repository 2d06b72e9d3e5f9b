// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeWatcher.h"

#include <QApplication>
#include <QKeyEvent>

#include <chrono>
#include <future>
#include <memory>

namespace {
constexpr qint64 PollIntervalMs = 25;
}

TEscapeWatcher::TEscapeWatcher(THold hold)
{
    if (hold == UntilDestroyed) {
        m_run.emplace();
        m_modalAtStart = QApplication::activeModalWidget();
        QCoreApplication::instance()->installEventFilter(this);
    }
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
    if (m_run && QApplication::activeModalWidget() != m_modalAtStart)
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

void RunAside(const std::function<void()> &work)
{
    const TLongRun run;
    TEscapeWatcher pump;
    auto done = std::async(std::launch::async, work);
    while (done.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        pump.Pressed();
    done.get();
}
