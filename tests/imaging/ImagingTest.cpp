// SPDX-License-Identifier: GPL-3.0-or-later
// The image library against real files of each format and damaged ones, and
// the image display.

#include "ImageLibrary.h"
#include "SampleImages.h"
#include "TPMultiImage.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

class Imaging : public testing::Test
{
protected:
    QString Path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(Imaging, EveryFormatTheWritersGiveIsMeasuredAndDescribed)
{
    const std::pair<const char *, const char *> formats[] = {
        {"gif", "GIF image"},      {"jpg", "JPEG image"},  {"png", "PNG image"},
        {"bmp", "Windows bitmap"}, {"tiff", "TIFF image"}, {"webp", "WebP image"},
    };
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    int measured = 0;
    for (const auto &[extension, description] : formats) {
        if (!writable.contains(extension) && QByteArray(extension) != "gif")
            continue;
        const QString path = WriteSampleImage(Path(QStringLiteral("a.") + QLatin1String(extension)), 37, 11);
        // Named by its content: the extension does not matter.
        const QString renamed = Path(QStringLiteral("picture%1.dat").arg(measured++));
        ASSERT_TRUE(QFile::copy(path, renamed));
        for (const QString &file : {path, renamed}) {
            SCOPED_TRACE(file.toStdString());
            EXPECT_TRUE(IsReadableImage(file));
            EXPECT_EQ(ReadableImageSize(file), QSize(37, 11));
            const std::optional<TImageInfo> info = ImageInformation(file);
            ASSERT_TRUE(info);
            EXPECT_EQ(info->width, 37);
            EXPECT_EQ(info->height, 11);
            EXPECT_EQ(info->description, QLatin1String(description));
            EXPECT_GT(info->bitsPerPixel, 0);
            EXPECT_FALSE(info->compression.isEmpty());
        }
    }
    EXPECT_GE(measured, 4) << "GIF, JPEG, PNG and BMP at least";
    const std::optional<TImageInfo> gif = ImageInformation(Path(QStringLiteral("a.gif")));
    EXPECT_EQ(gif->bitsPerPixel, 2) << "the sample's table of 4 colours";
    EXPECT_EQ(gif->colors, 4);
    EXPECT_EQ(gif->compression, QStringLiteral("LZW"));
    EXPECT_EQ(ImageInformation(Path(QStringLiteral("a.jpg")))->colors, 0) << "true colour";
}

TEST_F(Imaging, DamagedAndLyingFilesAreNoImagesAndCostNoMemory)
{
    const TQuietImagePlugins quiet;
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const QStringList files = {
        WriteGarbageGif(Path(QStringLiteral("garbage.gif"))),
        WriteTestFile(Path(QStringLiteral("empty.jpg")), QByteArray()),
        WriteLyingPng(Path(QStringLiteral("huge.png")), 60000, 60000),
        WriteTestFile(Path(QStringLiteral("text.png")), "not a picture"),
        Path(QStringLiteral("missing.bmp")),
    };
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_FALSE(IsReadableImage(file));
        EXPECT_FALSE(ReadableImageSize(file));
        EXPECT_FALSE(ImageInformation(file));
        EXPECT_TRUE(LoadImage(file).isNull());
        TPMultiImage display;
        EXPECT_FALSE(display.SetImageFile(file));
        EXPECT_FALSE(display.HasPicture());
    }
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "kilobytes";
}

TEST_F(Imaging, TheDisplayStretchesKeepingTheAspectAndCopiesSavesAndHandsOver)
{
    const QString wide = WriteSampleImage(Path(QStringLiteral("wide.png")), 40, 20);
    TPMultiImage display;
    display.resize(74, 56);
    display.setAutoFillBackground(true);
    display.setPalette(QPalette(Qt::white));
    ASSERT_TRUE(display.SetImageFile(wide));
    EXPECT_TRUE(display.Text().isEmpty());
    // 40 × 20 becomes 74 × 37, centred: bands of 9 and 10 rows above and below.
    const QImage shown = display.Bitmap().toImage();
    EXPECT_EQ(shown.size(), QSize(74, 56));
    EXPECT_EQ(shown.pixelColor(0, 10), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(73, 45), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(37, 7), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(37, 48), QColor(Qt::white));

    TPMultiImage copy;
    copy.CopyFrom(display);
    EXPECT_TRUE(copy.HasPicture());
    const QString saved = Path(QStringLiteral("copy.bmp"));
    ASSERT_TRUE(copy.SaveToFile(saved, sMonoChrome));
    EXPECT_EQ(ImageInformation(saved)->bitsPerPixel, 1);
    EXPECT_EQ(ReadableImageSize(saved), QSize(40, 20)) << "the picture is saved, not the scaled view";
    const QString gray = Path(QStringLiteral("gray.jpg"));
    ASSERT_TRUE(SaveImage(LoadImage(wide), gray, sJpegGray));
    EXPECT_TRUE(QImageReader(gray).read().isGrayscale());
    EXPECT_EQ(LoadImage(wide, lColor256).format(), QImage::Format_Indexed8);

    display.SetText(QStringLiteral("Preview Unavailable"));
    EXPECT_FALSE(display.HasPicture());
    EXPECT_EQ(display.Text(), QStringLiteral("Preview Unavailable"));
    EXPECT_FALSE(display.SaveToFile(Path(QStringLiteral("none.bmp"))));
    copy.CopyFrom(display);
    EXPECT_EQ(copy.Text(), QStringLiteral("Preview Unavailable"));
}

} // namespace
