// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The image library: which files are images we can read, what they are, and
// reading and writing pictures with a chosen colour depth. Every answer about
// a file comes from its header; no call here decodes a whole image to learn
// its size or kind.

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

struct TImageInfo
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int planes = 1;
    // 0 for pictures of more than 256 colours (true colour).
    qint64 colors = 0;
    QString compression;
    // "GIF image", "JPEG image", ...
    QString description;
};

// The size of an image file that can be read; none for a file that is not an
// image, is damaged in its header, or is larger than a picture may be.
std::optional<QSize> ReadableImageSize(const QString &path);
// Whether the file is an image that can be read (by its content, then its
// extension).
bool IsReadableImage(const QString &path);
// What the file is; none when it is not a readable image.
std::optional<TImageInfo> ImageInformation(const QString &path);

// The colour depth a picture is loaded in.
enum TLoadOption { lColorVga, lMonoChrome, lColor16, lColor256, lColorTrue, lAutoMatic };
// The colour depth a picture is saved in; sJpegGray writes a grey JPEG.
enum TSaveOption { sColorVga, sMonoChrome, sColor16, sColor256, sColorTrue, sJpegGray, sAutoMatic };
// The compression of a saved TIFF.
enum TTiffCompression { sNONE, sCCITT, sLZW, sPACKBITS };

// The file's picture in the colour depth asked for; a null image when it
// cannot be read.
QImage LoadImage(const QString &path, TLoadOption option = lAutoMatic);
// Writes the picture in the format of the file's extension; false when that
// fails.
bool SaveImage(const QImage &image, const QString &path, TSaveOption option = sAutoMatic,
               TTiffCompression compression = sNONE);
