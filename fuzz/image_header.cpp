// SPDX-License-Identifier: GPL-3.0-or-later
// The GIF and JPEG header readers over any bytes: they end, and a size they
// find has both numbers between 1 and 65535.

#include "FuzzCheck.h"
#include "ImageFileSize.h"

#include <QBuffer>

#include <cstdint>

namespace {

void Check(std::optional<QSize> (*reader)(QIODevice &), const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (const std::optional<QSize> size = reader(buffer))
        FUZZ_CHECK(size->width() >= 1 && size->width() <= 65535 && size->height() >= 1 && size->height() <= 65535);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Check(GifHeaderSize, bytes);
    Check(JpegHeaderSize, bytes);
    return 0;
}
