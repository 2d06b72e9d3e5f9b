// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small image files of each format, and damaged ones, for the tests of the
// image library and of whatever measures images.

#include "TestFiles.h"

#include <QImage>
#include <QImageWriter>
#include <QString>
#include <QtGlobal>

// A GIF of one colour, written here since Qt reads GIFs but does not write
// them. Each pixel is its own LZW code, with a clear code after every two so
// the codes stay 3 bits wide.
inline QByteArray SampleGif(int width, int height)
{
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 3;
        while (count >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    const int pixels = width * height;
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            put(4);
        put(1);
    }
    put(5);
    if (count > 0)
        data.append(char(bits & 0xFF));
    const auto number = [](int value) { return QByteArray(1, char(value & 0xFF)) + char(value >> 8); };
    QByteArray gif = "GIF89a" + number(width) + number(height) + QByteArray("\x81\x00\x00", 3) +
                     QByteArray("\x00\x00\x00\xFF\x00\x00\x00\x00\x00\x00\x00\x00", 12) + ',' + number(0) + number(0) +
                     number(width) + number(height) + '\0' + '\x02';
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif += char(block.size()) + block;
    }
    return gif + '\0' + ';';
}

// A red picture of the size in the format of the extension.
inline QString WriteSampleImage(const QString &path, int width, int height, bool progressive = false)
{
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))
        return WriteTestFile(path, SampleGif(width, height));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QImageWriter writer(path);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << path.toStdString() << writer.errorString().toStdString();
    return path;
}

// A PNG whose header claims a picture of the size and that holds nothing
// else.
inline QString WriteLyingPng(const QString &path, quint32 width, quint32 height)
{
    const auto bigEndian = [](quint32 value) {
        const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
        return QByteArray(bytes, 4);
    };
    QByteArray chunk = "IHDR" + bigEndian(width) + bigEndian(height) + QByteArray("\x08\x06\x00\x00\x00", 5);
    quint32 crc = 0xFFFFFFFF;
    for (const char c : chunk) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return WriteTestFile(path, QByteArray("\x89PNG\r\n\x1a\n", 8) + bigEndian(13) + chunk + bigEndian(~crc));
}

// A GIF header with a global colour table, then bytes that are no image.
inline QString WriteGarbageGif(const QString &path)
{
    return WriteTestFile(path, QByteArray("GIF89a\x10\x00\x10\x00\x80\x00\x00", 13) + QByteArray(6, '\0') +
                                   QByteArray(200, '\xAB'));
}

// Keeps the image plugins' complaints about damaged files out of the log
// while it lives.
class TQuietImagePlugins
{
public:
    TQuietImagePlugins() { s_previous = qInstallMessageHandler(Filter); }
    ~TQuietImagePlugins() { qInstallMessageHandler(s_previous); }
    TQuietImagePlugins(const TQuietImagePlugins &) = delete;
    TQuietImagePlugins &operator=(const TQuietImagePlugins &) = delete;

private:
    static void Filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (!message.contains(QLatin1String("JPEG")))
            s_previous(type, context, message);
    }
    static inline QtMessageHandler s_previous = nullptr;
};
