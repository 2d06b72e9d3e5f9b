// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include "MainSettings.h"
#include "Paths.h"
#include "QtMessageService.h"
#include "SingleInstance.h"
#include "TfMain.h"
#include "TfSplash.h"
#include "TimingReport.h"
#include "TvqRichHTML.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QIcon>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <memory>

int RunVelicort(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TMessageService::Install(std::make_unique<TQtMessageService>());
    QApplication::setApplicationName(QStringLiteral("Velicort"));
    QApplication::setOrganizationName(QStringLiteral("Velicort"));
    // The menu entry's id, by which the desktop matches windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velicort.Velicort"));
    QApplication::setWindowIcon(QIcon(DataFilePath(QStringLiteral("icons/velicort.svg"))));
    // Where an installed program finds its web engine module; a build tree
    // has it beside the program, on the library path already.
    QCoreApplication::addLibraryPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VELICORT_MODULE_DIR)));

    const QStringList parameters = QApplication::arguments().mid(1);
    if (HandOffToRunningInstance(parameters))
        return 0;

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        ApplyFirstRunSettings(screen->geometry().width());

    std::unique_ptr<TfSplash> splash;
    if (SplashWanted())
        splash = TfSplash::ShowNow();

    TfMain main;
    TTimingReport::StartIfAsked([&main, withFile = !parameters.isEmpty()]() -> QWidget * {
        TvqRichHTML *editor = main.ActiveEditor();
        return editor && (!withFile || editor->TextLength() > 0) ? editor->viewport() : nullptr;
    });
    main.OpenCommandLine(parameters);
    main.CreateLongLivedWindows();
    main.LoadSettings();
    splash.reset();

    const int exitCode = QApplication::exec();
    // Qt hands what the user copied to the desktop's clipboard manager as it
    // tears down, and only then.
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard() || clipboard->ownsSelection())
        return exitCode;
    // Otherwise nothing is left to keep: closing the window offered every
    // document for saving and deleted the preview's temporary copies, and
    // each setting went to disk as it was written. Tearing down the windows,
    // waiting for the threads that list folders and unloading the web engine
    // would only keep the user waiting for a program that has gone.
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
