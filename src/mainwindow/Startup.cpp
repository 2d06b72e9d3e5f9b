// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include "MainSettings.h"
#include "SingleInstance.h"
#include "TfMain.h"
#include "TfSplash.h"
#include "TimingReport.h"
#include "TvqRichHTML.h"

#ifdef VELICORT_HAVE_WEBENGINE
#include "TBrowserObject.h"
#endif

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

const QString QuitWhenShown = QStringLiteral("--quit-when-shown");

} // namespace

int RunVelicort(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
#ifdef VELICORT_HAVE_WEBENGINE
    PrepareBrowserEngine();
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velicort"));
    QApplication::setOrganizationName(QStringLiteral("Velicort"));

    QStringList parameters = QApplication::arguments().mid(1);
    const bool quitWhenShown = parameters.removeAll(QuitWhenShown) > 0;
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

    if (quitWhenShown) {
        QTimer::singleShot(0, &app, [&] {
            std::printf("main window shown after %.1f ms\n", clock.nsecsElapsed() / 1e6);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    return QApplication::exec();
}
