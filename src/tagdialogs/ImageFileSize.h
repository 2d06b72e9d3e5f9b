// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The width and height an IMG tag gets from its image file.

#include <QSize>
#include <QString>

#include <optional>

class QIODevice;

// The size of the image file; none when the file is missing, is no image,
// or either number would be 0. With useLibrary the image library measures
// every format it reads; without it GIF and JPEG files are measured from
// their own headers, and BMP and PNG files (and JPEGs the header reader
// cannot measure, such as progressive ones) by the image library's header
// reading. No file is ever decoded whole.
std::optional<QSize> ImageFileSize(const QString &path, bool useLibrary);

// The size of the first image of a GIF stream.
std::optional<QSize> GifHeaderSize(QIODevice &device);
// The size a JPEG stream's baseline or extended frame header gives.
std::optional<QSize> JpegHeaderSize(QIODevice &device);
