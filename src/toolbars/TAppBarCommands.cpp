// SPDX-License-Identifier: GPL-3.0-or-later
#include "TAppBarCommands.h"

#include "AppLaunch.h"
#include "LongRun.h"
#include "RegistryKeys.h"
#include "Shell.h"
#include "TvqAppBar.h"

#include <QAbstractButton>

TAppBarCommands::TAppBarCommands(TvqAppBar *bar, QAbstractButton *customizeButton, TAppBarHooks hooks, QObject *parent)
    : QObject(parent), m_bar(bar), m_hooks(std::move(hooks))
{
    customizeButton->setEnabled(true);
    connect(customizeButton, &QAbstractButton::clicked, this, &TAppBarCommands::spdCustomizeAppBarClick);
    // The save question may save the document: it waits for a long run.
    connect(m_bar, &TvqAppBar::OnAppButtonClick, this,
            [this](int, const QString &commandLine, const QString &appFilename) {
                TLongRun::WhenIdle(
                    this, [this, commandLine, appFilename] { vqAppBar1AppButtonClick(commandLine, appFilename); });
            });
}

void TAppBarCommands::Load()
{
    m_bar->SetRegistryLocation(RegistryKeys::AppBar);
    m_bar->ReadFromRegistry();
}

void TAppBarCommands::spdCustomizeAppBarClick()
{
    m_bar->Customize();
}

void TAppBarCommands::vqAppBar1AppButtonClick(const QString &commandLine, const QString &appFilename)
{
    if (commandLine.isEmpty()) {
        ShellOpenFile(appFilename);
        return;
    }
    QString currentFile;
    if (HasCurrentFileToken(commandLine)) {
        if (!m_hooks.askSaveChanges())
            return;
        currentFile = m_hooks.currentFile();
    }
    // Whether it started is not told: the program shows itself, or the user
    // sees it did not.
    RunProgram(appFilename, LaunchArguments(commandLine, currentFile));
}
