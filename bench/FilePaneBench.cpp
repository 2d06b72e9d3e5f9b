// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the file list with a folder of 10,000 HTML documents, each with a
// title, through its scan thread: the time until the list is full and the
// longest gap between two turns of the event loop meanwhile (how long the
// window could not repaint or answer). The baseline, measured in the same
// run, is reading the same files' details in a plain loop.

#include "FileUtils.h"
#include "HTMLExtensions.h"
#include "Median.h"
#include "TvqFileView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int FileCount = 10000;
constexpr int Runs = 5;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    for (int i = 0; i < FileCount; ++i) {
        QFile file(folder.filePath(QStringLiteral("page%1.html").arg(i, 5, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Page number " +
                   QByteArray::number(i) + "</title>\n</head>\n<body>\n<p>" + QByteArray(1500, 'x') +
                   "</p>\n</body>\n</html>\n");
    }
    const QStringList extensions = LoadHTMLExtensions();

    TvqFileView view;
    view.SetHTMLExtensions(extensions);
    view.resize(500, 700);
    view.show();
    QApplication::processEvents();

    std::vector<double> fills, gaps, baselines;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        const QStringList files = ListFilesByMasks(folder.path(), QStringLiteral("*.html"));
        for (const QString &file : files)
            ReadFileDetails(file, extensions, true);
        baselines.push_back(clock.nsecsElapsed() / 1e6);

        // The gap: a timer due every millisecond notes how long it waited.
        QElapsedTimer tick;
        double longest = 0;
        QTimer pulse;
        pulse.setInterval(1);
        QObject::connect(&pulse, &QTimer::timeout, [&] {
            longest = std::max(longest, tick.nsecsElapsed() / 1e6);
            tick.start();
        });
        QSignalSpy finished(&view, &TvqFileView::ScanFinished);
        clock.start();
        tick.start();
        pulse.start();
        view.SetFiles(ListFilesByMasks(folder.path(), QStringLiteral("*.html")));
        if (!finished.wait(60000) || view.topLevelItemCount() != FileCount)
            return 1;
        fills.push_back(clock.nsecsElapsed() / 1e6);
        pulse.stop();
        gaps.push_back(longest);
    }
    const double fill = Median(fills);
    const double baseline = Median(baselines);
    std::printf("file list fill of %d documents: %.0f ms (limit 3000 ms)\n", FileCount, fill);
    std::printf("longest gap between event loop turns during the fill: %.1f ms\n", Median(gaps));
    std::printf("reading the same details in a plain loop: %.0f ms; fill / plain loop = %.2f\n", baseline,
                fill / baseline);
    return 0;
}
