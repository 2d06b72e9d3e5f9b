// SPDX-License-Identifier: GPL-3.0-or-later
// The single instance's message reader, fed the input in pieces whose sizes
// the input's first byte sets. A message it takes is exactly the frame a
// sender makes of its kind and text.

#include "FuzzCheck.h"
#include "SingleInstance.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const qsizetype piece = data[0] % 32 + 1;
    const QByteArrayView bytes(data + 1, qsizetype(size) - 1);
    TInstanceMessageReader reader;
    TInstanceMessageReader::TState state = TInstanceMessageReader::Incomplete;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        state = reader.Feed(bytes.sliced(at, std::min(piece, bytes.size() - at)));
        if (state == TInstanceMessageReader::Invalid)
            break;
    }
    if (state == TInstanceMessageReader::Complete) {
        FUZZ_CHECK(InstanceMessageFrame(reader.Kind(), reader.Text()) == bytes);
        FUZZ_CHECK(reader.Feed("x") == TInstanceMessageReader::Invalid);
    }
    return 0;
}
