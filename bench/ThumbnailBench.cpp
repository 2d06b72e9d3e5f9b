// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail page over 200 JPEG photos of 1600 x 1200: the first look,
// which makes every thumbnail, against a plain QImageReader loop that reads
// each file at thumbnail size, both in the same round; and the second look,
// which finds them all in the index.

#include "Median.h"
#include "TfThumbnail.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>

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

// A photo-like picture: gradients and noise, so that the JPEG is of a
// photo's size (some 300 KB) and decoding costs what it costs.
QImage Photo(int seed)
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 1600, 1200);
    gradient.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 160, 220));
    gradient.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    QRandomGenerator random(seed);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate()));
        painter.drawEllipse(QPoint(random.bounded(1600), random.bounded(1200)), random.bounded(4, 80),
                            random.bounded(4, 80));
    }
    painter.end();
    return image;
}

void Look(const QString &folder, const QString &index, const QString &previews)
{
    TfThumbnail page(folder, index, previews);
    QSignalSpy loaded(&page, &TfThumbnail::Loaded);
    page.show();
    loaded.wait(120000);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("photos"));
    const QString previews = QDir(dir.path()).filePath(QStringLiteral("thumbs"));
    const QString index = QDir(dir.path()).filePath(QStringLiteral("thumbnail.dat"));
    QDir().mkpath(folder);
    QStringList files;
    for (int i = 0; i < 200; ++i) {
        const QString path = QDir(folder).filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QChar(u'0')));
        Photo(i).save(path, "JPEG", 85);
        files.append(path);
    }
    qint64 checksum = 0;
    const auto baseline = [&] {
        for (const QString &file : files) {
            QImageReader reader(file);
            reader.setScaledSize(reader.size().scaled(ThumbnailSize, Qt::KeepAspectRatio));
            checksum += reader.read().width();
        }
    };
    const auto forget = [&] {
        QDir(previews).removeRecursively();
        QFile::remove(index);
    };
    baseline();
    std::vector<double> base, first, second, ratio;
    for (int round = 0; round < 7; ++round) {
        forget();
        const double b = Milliseconds(baseline);
        const double f = Milliseconds([&] { Look(folder, index, previews); });
        const double s = Milliseconds([&] { Look(folder, index, previews); });
        base.push_back(b);
        first.push_back(f);
        second.push_back(s);
        ratio.push_back(f / b);
    }
    std::printf("200 JPEG photos of 1600 x 1200, median of 7 rounds\n");
    std::printf("%-44s %10s %8s\n", "", "ms", "ratio");
    std::printf("%-44s %10.1f %8s\n", "QImageReader scaled-read loop (baseline)", Median(base), "1.00");
    std::printf("%-44s %10.1f %8.2f\n", "thumbnail page, first look (makes all)", Median(first), Median(ratio));
    std::printf("%-44s %10.1f %8s\n", "thumbnail page, second look (index)", Median(second), "");
    std::printf("targets: ratio <= 2, second look <= 300 ms (checksum %lld)\n", checksum);
    return 0;
}
