// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the start-up benchmark (bench/startup.sh): the least a Qt
// program does to put a main window with a menu bar and an empty text on the
// screen. It reports its timings the program's way (VELICORT_BENCH_REPORT).

#include "TimingReport.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    auto *text = new QPlainTextEdit;
    window.setCentralWidget(text);
    TTimingReport::StartIfAsked([text] { return text->viewport(); });
    window.resize(774, 550);
    window.show();
    return QApplication::exec();
}
