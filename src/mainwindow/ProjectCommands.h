// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The project commands of the main window: the projects dialog, opening a
// project into tabs, and Close All, which forgets the current project.

#include "ColorScanner.h"

#include <QObject>

#include <functional>

class QWidget;
class TCommandBinder;
class TDocumentCommands;

class TProjectCommands : public QObject
{
    Q_OBJECT

public:
    TProjectCommands(TDocumentCommands *commands, std::function<void(TColorCodeMode)> setColorCodingMode,
                     QWidget *window);

    void Connect(const TCommandBinder &commands);

    // Closes every document (asking about modified ones) and forgets the
    // current project; false when the user cancelled.
    bool CloseAll();
    // Closes every document and opens the project's existing files in list
    // order at a colour-coding level; false for an empty or missing project
    // or when the user cancelled closing.
    bool OpenProject(const QString &path, int level);
    // The projects dialog; a project opened from it becomes current.
    void ShowProjects();

private:
    TDocumentCommands *m_commands;
    std::function<void(TColorCodeMode)> m_setColorCodingMode;
    QWidget *m_window;
};
