// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application launch bar's commands: loading the bar, its configure
// button, and starting a button's program, with the current document's file
// name where the command line asks for it.

#include <QObject>

#include <functional>

class QAbstractButton;
class TvqAppBar;

struct TAppBarHooks
{
    // The unsaved-changes question for the active document; true to go on.
    std::function<bool()> askSaveChanges;
    // The active document's full file name; empty while untitled.
    std::function<QString()> currentFile;
};

class TAppBarCommands : public QObject
{
    Q_OBJECT

public:
    TAppBarCommands(TvqAppBar *bar, QAbstractButton *customizeButton, TAppBarHooks hooks, QObject *parent);

    // Gives the bar its key and shows the stored buttons.
    void Load();
    void spdCustomizeAppBarClick();
    // An empty command line opens the file in the desktop's program for it;
    // any other starts the file as a program with the command line's
    // arguments. A command line that names the current document asks the
    // save question first.
    void vqAppBar1AppButtonClick(const QString &commandLine, const QString &appFilename);

private:
    TvqAppBar *m_bar;
    TAppBarHooks m_hooks;
};
