// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a 200 KB page with 50 local images in the internal viewer, against
// a baseline of laying out the same text without its images, measured in the
// same run.

#include "THTMLViewer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString MakePage(bool withImages)
{
    QString page = QStringLiteral("<html><head><title>Gallery</title></head><body>\n");
    int image = 0;
    while (page.size() < 200 * 1024) {
        page +=
            QStringLiteral("<h2>Section %1</h2>\n<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit, "
                           "sed do eiusmod tempor incididunt ut labore et dolore magna aliqua. <a href=\"page%1.htm\">"
                           "Read more</a> about <b>section</b> <i>%1</i>.</p>\n")
                .arg(image);
        page += QStringLiteral("<table border=1><tr><td>one</td><td>two</td><td>three</td></tr></table>\n");
        if (withImages && image < 50)
            page += QStringLiteral("<img src=\"images/pic%1.png\" alt=\"picture\">\n").arg(image);
        ++image;
    }
    return page + QStringLiteral("</body></html>\n");
}

template <typename Work> double MedianMs(Work &&work, int runs = 11)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("images"));
    for (int i = 0; i < 50; ++i) {
        QImage picture(160, 120, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 7, 200, 220));
        picture.save(folder.filePath(QStringLiteral("images/pic%1.png").arg(i)));
    }
    const QString page = MakePage(true);
    const QString plain = MakePage(false);

    THTMLViewer viewer;
    viewer.resize(800, 600);
    viewer.show();
    QApplication::processEvents();
    const double preview = MedianMs([&] {
        viewer.LoadStrings(page, folder.path());
        viewer.viewport()->repaint();
    });
    const double baseline = MedianMs([&] {
        QTextDocument document;
        document.setHtml(plain);
        document.setTextWidth(780);
        document.size();
    });
    std::printf("page: %lld KB, 50 images\n", (long long)(page.size() / 1024));
    std::printf("(ref) laying out the text without images: %.1f ms\n", baseline);
    std::printf("Browse: internal viewer shows the page: %.1f ms (target <= 300 ms) %s, ratio %.2fx\n", preview,
                preview <= 300 ? "PASS" : "MISS", preview / baseline);
    return 0;
}
