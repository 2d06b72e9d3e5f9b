// SPDX-License-Identifier: GPL-3.0-or-later
// The colour scanner over any bytes: the first byte picks the mode and the
// range, the rest is the document. Styles stay within their classes, and the
// result never reaches before the range or beyond the text.

#include "ColorScanner.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const auto mode = TColorCodeMode(data[0] % 3);
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    if (text.empty())
        return 0;
    const qsizetype length = qsizetype(text.size());
    // A range inside the text, from the first byte's high bits.
    const qsizetype start = (data[0] >> 2) % length;
    const qsizetype end = start + (length - start) / ((data[0] >> 6) + 1) - 1;
    const TColorScanner::TResult result = TColorScanner::ColorRange(text, start, std::max(start, end), mode);
    FUZZ_CHECK(!result.aborted);
    FUZZ_CHECK(result.first >= 0 && result.first <= start);
    FUZZ_CHECK(result.first + qsizetype(result.styles.size()) <= length);
    for (const char style : result.styles)
        FUZZ_CHECK(StyleClassOf(style) <= scScripts && (mode != ccNone || style == scPlain));

    std::vector<char> styles(text.size(), char(scTags));
    TColorScanner::MarkWords(text, styles.data());
    for (const char style : styles)
        FUZZ_CHECK(StyleClassOf(style) == scTags);
    (void)ClassifyTagStyle(text);
    return 0;
}
