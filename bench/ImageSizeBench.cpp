// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring the size of 1,000 images of mixed formats in a folder, as the
// image dialog and the file pane do: through the image library and through
// the header readers, each against QImageReader::size() over the same files
// in the same round. Decoding the same files is timed once for scale.

#include "ImageFileSize.h"
#include "Median.h"
#include "SampleImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename Work> double Milliseconds(Work &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const char *kinds[] = {"gif", "jpg", "progressive.jpg", "png", "bmp"};
    QStringList files;
    for (int i = 0; i < 1000; ++i) {
        const QString kind = QLatin1String(kinds[i % 5]);
        const QString path = QDir(dir.path()).filePath(QStringLiteral("image%1.%2").arg(i).arg(kind));
        WriteSampleImage(path, 160 + i % 7 * 40, 120 + i % 5 * 30, kind.startsWith(QLatin1String("progressive")));
        files.append(path);
    }
    qint64 checksum = 0;
    const auto baseline = [&] {
        for (const QString &file : files)
            checksum += QImageReader(file).size().width();
    };
    const auto measure = [&](bool library) {
        for (const QString &file : files)
            checksum += ImageFileSize(file, library).value_or(QSize()).width();
    };
    baseline();
    std::vector<double> base, libraryMs, headerMs, libraryRatio, headerRatio;
    for (int round = 0; round < 21; ++round) {
        const double b = Milliseconds(baseline);
        const double l = Milliseconds([&] { measure(true); });
        const double h = Milliseconds([&] { measure(false); });
        base.push_back(b);
        libraryMs.push_back(l);
        headerMs.push_back(h);
        libraryRatio.push_back(l / b);
        headerRatio.push_back(h / b);
    }
    const double decode = Milliseconds([&] {
        for (const QString &file : files)
            checksum += QImageReader(file).read().width();
    });
    std::printf("1,000 images (GIF, JPEG, progressive JPEG, PNG, BMP), median of 21 rounds\n");
    std::printf("%-34s %10s %8s\n", "", "ms", "ratio");
    std::printf("%-34s %10.1f %8s\n", "QImageReader::size() (baseline)", Median(base), "1.00");
    std::printf("%-34s %10.1f %8.2f\n", "ImageFileSize, image library", Median(libraryMs), Median(libraryRatio));
    std::printf("%-34s %10.1f %8.2f\n", "ImageFileSize, header readers", Median(headerMs), Median(headerRatio));
    std::printf("%-34s %10.1f %8s\n", "decoding every image (for scale)", decode, "");
    std::printf("target: ratio <= 2 (checksum %lld)\n", checksum);
    return 0;
}
