// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the start-up benchmark: the least a Qt program does to put
// a main window with a menu bar on the screen, timed the same way.

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QPlainTextEdit);
    window.resize(774, 550);
    window.show();
    QTimer::singleShot(0, &app, [&] {
        std::printf("main window shown after %.1f ms\n", clock.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
