// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Connects a window's named commands (the QActions its menus and toolbars
// made, "mnuFileOpen", "spdSave") to the handlers of a feature controller.
// Commands start disabled; connecting one enables it, so a command whose
// feature nobody connected stays greyed.

#include <QAction>
#include <QMenu>
#include <QObject>

#include <initializer_list>

class TCommandBinder
{
public:
    explicit TCommandBinder(const QObject *window) : m_window(window) {}

    QAction *Action(const QString &name) const
    {
        auto *action = m_window->findChild<QAction *>(name);
        Q_ASSERT_X(action, "TCommandBinder", qPrintable(name));
        return action;
    }
    QMenu *Menu(const QString &name) const { return m_window->findChild<QMenu *>(name); }

    // Runs the handler (with or without the checked state) when any of the
    // commands is chosen, for as long as the context lives.
    template <typename Handler>
    void On(std::initializer_list<const char *> names, const QObject *context, Handler handler) const
    {
        for (const char *name : names) {
            QAction *action = Action(QLatin1String(name));
            action->setEnabled(true);
            QObject::connect(action, &QAction::triggered, context, handler);
        }
    }

private:
    const QObject *m_window;
};
