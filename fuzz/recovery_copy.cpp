// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery copies are read back from disk after a crash, torn or not. Any
// bytes either are refused or give a copy that is written and read back
// unchanged, its caret within its text.

#include "FuzzCheck.h"
#include "RecoveryCopy.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<TRecoveryCopy> copy = ParseRecoveryCopy(bytes);
    if (!copy)
        return 0;
    FUZZ_CHECK(copy->caret >= 0 && copy->caret <= copy->text.size());
    const std::optional<TRecoveryCopy> again = ParseRecoveryCopy(RecoveryCopyBytes(*copy));
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->text == copy->text);
    FUZZ_CHECK(again->fileName == copy->fileName);
    FUZZ_CHECK(again->encoding == copy->encoding);
    FUZZ_CHECK(again->lineEnds == copy->lineEnds);
    FUZZ_CHECK(again->caret == copy->caret);
    FUZZ_CHECK(again->webAddress == copy->webAddress);
    FUZZ_CHECK(again->fileTime == copy->fileTime);
    return 0;
}
