// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFileSize.h"

#include "ImageLibrary.h"

#include <QFile>
#include <QFileInfo>

namespace {

std::optional<QSize> Found(int width, int height)
{
    if (width == 0 || height == 0)
        return std::nullopt;
    return QSize(width, height);
}

bool ReadByte(QIODevice &device, quint8 &byte)
{
    char c;
    if (!device.getChar(&c))
        return false;
    byte = quint8(c);
    return true;
}

bool ReadBigEndian16(QIODevice &device, int &value)
{
    quint8 high, low;
    if (!ReadByte(device, high) || !ReadByte(device, low))
        return false;
    value = high << 8 | low;
    return true;
}

} // namespace

std::optional<QSize> GifHeaderSize(QIODevice &device)
{
    const QByteArray header = device.read(14);
    if (header.size() < 14 || !header.startsWith("GIF"))
        return std::nullopt;
    const quint8 flags = quint8(header.at(10));
    qint64 imageStart = 13;
    if (flags & 0x80)
        imageStart += 3 * (qint64(2) << (flags & 7));
    if (imageStart > device.size() || !device.seek(imageStart))
        return std::nullopt;
    quint8 byte;
    do {
        if (!ReadByte(device, byte))
            return std::nullopt;
    } while (byte != 0x2C);
    const QByteArray descriptor = device.read(10);
    if (descriptor.size() < 8)
        return std::nullopt;
    const auto number = [&descriptor](int offset) {
        return quint8(descriptor.at(offset)) | quint8(descriptor.at(offset + 1)) << 8;
    };
    return Found(number(4), number(6));
}

std::optional<QSize> JpegHeaderSize(QIODevice &device)
{
    if (device.read(2) != QByteArray("\xFF\xD8", 2))
        return std::nullopt;
    quint8 byte;
    if (!ReadByte(device, byte))
        return std::nullopt;
    while (byte == 0xFF) {
        quint8 marker;
        do {
            if (!ReadByte(device, marker))
                return std::nullopt;
        } while (marker == 0xFF);
        if (marker == 0xC0 || marker == 0xC1) {
            int length, height, width;
            quint8 precision;
            if (!ReadBigEndian16(device, length) || !ReadByte(device, precision) || !ReadBigEndian16(device, height) ||
                !ReadBigEndian16(device, width))
                return std::nullopt;
            return Found(width, height);
        }
        if (marker != 0x01 && (marker < 0xD0 || marker > 0xD7)) {
            int length;
            if (!ReadBigEndian16(device, length) || length < 2)
                return std::nullopt;
            const qint64 next = device.pos() + length - 2;
            if (next > device.size() || !device.seek(next))
                return std::nullopt;
        }
        if (!ReadByte(device, byte))
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QSize> ImageFileSize(const QString &path, bool useLibrary)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    if (useLibrary)
        return ReadableImageSize(path);
    const QString extension = info.suffix().toLower();
    if (extension == QLatin1String("gif") || extension == QLatin1String("jpg") || extension == QLatin1String("jpeg")) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        if (extension == QLatin1String("gif"))
            return GifHeaderSize(file);
        if (const auto size = JpegHeaderSize(file))
            return size;
        // Progressive and other frame kinds.
        return ReadableImageSize(path);
    }
    if (extension == QLatin1String("bmp") || extension == QLatin1String("png"))
        return ReadableImageSize(path);
    return std::nullopt;
}
