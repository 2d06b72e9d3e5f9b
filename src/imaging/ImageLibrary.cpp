// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageLibrary.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>

namespace {

// The bytes a picture may take once decoded (QImageReader's own limit), so a
// header that claims a huge picture is not taken at its word.
bool FitsInMemory(const QSize &size)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return size.isValid() && !size.isEmpty() && qint64(size.width()) * size.height() * 4 <= limit;
}

QString Description(const QByteArray &format)
{
    static const std::pair<const char *, const char *> Names[] = {
        {"gif", "GIF image"},        {"jpeg", "JPEG image"},     {"jpg", "JPEG image"},  {"png", "PNG image"},
        {"bmp", "Windows bitmap"},   {"tif", "TIFF image"},      {"tiff", "TIFF image"}, {"webp", "WebP image"},
        {"svg", "SVG drawing"},      {"ico", "Windows icon"},    {"xpm", "X pixmap"},    {"pbm", "Portable bitmap"},
        {"pgm", "Portable graymap"}, {"ppm", "Portable pixmap"},
    };
    for (const auto &[name, text] : Names)
        if (format == name)
            return QLatin1String(text);
    return format.toUpper() + QStringLiteral(" image");
}

QString Compression(const QByteArray &format)
{
    if (format == "gif" || format == "tif" || format == "tiff")
        return QStringLiteral("LZW");
    if (format == "jpeg" || format == "jpg")
        return QStringLiteral("JPEG");
    if (format == "png")
        return QStringLiteral("Deflate");
    if (format == "webp")
        return QStringLiteral("WebP");
    return QStringLiteral("None");
}

int BitsPerPixel(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
        return 8;
    case QImage::Format_Invalid:
        return 0;
    default:
        return QImage::toPixelFormat(format).bitsPerPixel();
    }
}

// A GIF's depth is the size of its global colour table; the GIF reader
// tells nothing of it without decoding.
int GifBitsPerPixel(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 8;
    const QByteArray header = file.read(11);
    const quint8 flags = header.size() == 11 ? quint8(header.at(10)) : 0;
    return flags & 0x80 ? (flags & 7) + 1 : 8;
}

} // namespace

std::optional<QSize> ReadableImageSize(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead())
        return std::nullopt;
    const QSize size = reader.size();
    if (!FitsInMemory(size))
        return std::nullopt;
    return size;
}

bool IsReadableImage(const QString &path)
{
    return ReadableImageSize(path).has_value();
}

std::optional<TImageInfo> ImageInformation(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead())
        return std::nullopt;
    const QSize size = reader.size();
    if (!FitsInMemory(size))
        return std::nullopt;
    TImageInfo info;
    info.width = size.width();
    info.height = size.height();
    info.bitsPerPixel = reader.format() == "gif" ? GifBitsPerPixel(path) : BitsPerPixel(reader.imageFormat());
    if (info.bitsPerPixel == 0)
        info.bitsPerPixel = 32;
    info.colors = info.bitsPerPixel <= 8 ? qint64(1) << info.bitsPerPixel : 0;
    info.compression = Compression(reader.format());
    info.description = Description(reader.format());
    return info;
}

QImage LoadImage(const QString &path, TLoadOption option)
{
    if (!IsReadableImage(path))
        return QImage();
    QImage image = QImageReader(path).read();
    switch (option) {
    case lMonoChrome:
        return image.convertToFormat(QImage::Format_Mono);
    case lColor16:
    case lColorVga:
    case lColor256:
        // Indexed pictures; Qt's palette quantising stops at 256 colours.
        return image.convertToFormat(QImage::Format_Indexed8);
    case lColorTrue:
        return image.convertToFormat(QImage::Format_RGB32);
    case lAutoMatic:
        break;
    }
    return image;
}

bool SaveImage(const QImage &image, const QString &path, TSaveOption option, TTiffCompression compression)
{
    QImage picture = image;
    switch (option) {
    case sMonoChrome:
        picture = image.convertToFormat(QImage::Format_Mono);
        break;
    case sColor16:
    case sColorVga:
    case sColor256:
        picture = image.convertToFormat(QImage::Format_Indexed8);
        break;
    case sColorTrue:
        picture = image.convertToFormat(QImage::Format_RGB32);
        break;
    case sJpegGray:
        picture = image.convertToFormat(QImage::Format_Grayscale8);
        break;
    case sAutoMatic:
        break;
    }
    QImageWriter writer(path);
    if (option == sJpegGray)
        writer.setFormat("jpeg");
    // The TIFF writer knows none and LZW; CCITT and PackBits write as LZW.
    if (writer.format() == "tif" || writer.format() == "tiff")
        writer.setCompression(compression == sNONE ? 0 : 1);
    return writer.write(picture);
}
