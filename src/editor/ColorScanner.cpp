// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorScanner.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

// Tags between progress reports of a long run.
constexpr int TagsPerTick = 21;

qsizetype Find(std::string_view text, char c, qsizetype from, qsizetype to)
{
    if (from >= to)
        return -1;
    const void *hit = std::memchr(text.data() + from, c, size_t(to - from));
    return hit ? static_cast<const char *>(hit) - text.data() : -1;
}

qsizetype Find(std::string_view text, std::string_view what, qsizetype from, qsizetype to)
{
    if (what.size() == 1)
        return Find(text, what[0], from, to);
    // Look for the delimiter's rarer character: "<", ">" and "/" stand in
    // every tag of a page, "!", "*", "%" and "-" seldom.
    const qsizetype pivot = qsizetype(std::min(what.find_first_not_of("<>/"), what.size() - 1));
    const qsizetype length = qsizetype(what.size());
    for (qsizetype p = from + pivot; p + (length - pivot) <= to;) {
        const qsizetype hit = Find(text, what[size_t(pivot)], p, to - (length - pivot - 1));
        if (hit < 0)
            return -1;
        const qsizetype start = hit - pivot;
        if (text.compare(size_t(start), size_t(length), what) == 0)
            return start;
        p = hit + 1;
    }
    return -1;
}

// Paints [from, to) clamped to the text, growing the styles as needed.
void Paint(TColorScanner::TResult &result, qsizetype textLength, qsizetype from, qsizetype to, char style)
{
    to = std::min(to, textLength);
    if (from >= to)
        return;
    const qsizetype needed = to - result.first;
    if (qsizetype(result.styles.size()) < needed)
        result.styles.resize(size_t(needed), scPlain);
    std::memset(result.styles.data() + (from - result.first), style, size_t(to - from));
}

} // namespace

TColorCodeMode ColorCodeModeFromNumber(qint64 number)
{
    switch (number) {
    case 0:
        return ccNone;
    case 2:
        return ccFull;
    default:
        return ccMinimal;
    }
}

TStyleClass ClassifyTagStyle(std::string_view tag)
{
    // Only the up to eight characters after the "<" decide, cut at the first
    // blank or ">"; other white space does not end the name.
    char name[8];
    size_t length = 0;
    for (size_t i = 1; i < tag.size() && i <= 8; ++i) {
        const char c = tag[i];
        if (c == ' ' || c == '>')
            break;
        name[length++] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    std::string_view n(name, length);
    if (!n.empty() && n.front() == '/')
        n.remove_prefix(1);
    if (n == "A")
        return scAnchors;
    if (n == "IMG")
        return scImages;
    if (n == "TABLE" || n == "TD" || n == "TR" || n == "TH")
        return scTables;
    if (n == "OBJECT" || n == "SCRIPT" || n == "PARAM" || n == "STYLE" || n == "SPAN" || n == "INSERT")
        return scScripts;
    return scTags;
}

TColorScanner::TResult TColorScanner::ColorRange(std::string_view text, qsizetype start, qsizetype end,
                                                 TColorCodeMode mode, const TTick &tick)
{
    const qsizetype textLength = qsizetype(text.size());
    TResult result;
    start = std::clamp<qsizetype>(start, 0, textLength);
    result.first = start;
    if (end < start)
        return result;

    const qsizetype limit = std::min(end + 1, textLength);
    // Reserved, not filled: the styles grow as the scan reaches them, so a
    // large text does not hold the window while all of its memory is
    // touched at once.
    result.styles.reserve(size_t(limit - start));
    const auto scan = [&] {
        if (mode == ccNone)
            return;

        int tags = 0;
        qsizetype p = start;
        while (p <= end + 1) {
            const qsizetype open = Find(text, '<', p, limit);
            if (open < 0)
                break;
            qsizetype close = Find(text, '>', open + 1, limit);
            if (close < 0)
                close = Find(text, '>', std::max(open + 1, limit), textLength);
            if (close < 0)
                close = end + 1;
            const std::string_view tag = text.substr(size_t(open), size_t(std::min(close + 1, textLength) - open));
            const char style = char(mode == ccMinimal ? scTags : ClassifyTagStyle(tag));
            Paint(result, textLength, open, close + 1, style);
            p = close + 1;
            if (tick && ++tags > TagsPerTick - 1) {
                tags = 0;
                if (tick(p)) {
                    result.aborted = true;
                    return;
                }
            }
        }

        if (mode == ccFull) {
            const std::tuple<TStyleClass, std::string_view, std::string_view> passes[] = {
                {scComments, "<!-", "->"}, {scComments, "/*", "*/"}, {scScripts, "<%", "%>"}, {scQuotes, "\"", "\""}};
            for (const auto &[style, opener, closer] : passes) {
                ColorSpans(text, start, end, style, opener, closer, result, tick);
                if (result.aborted)
                    break;
            }
        }
    };
    scan();
    if (qsizetype(result.styles.size()) < limit - start)
        result.styles.resize(size_t(limit - start), scPlain);
    return result;
}

void TColorScanner::ColorSpans(std::string_view text, qsizetype start, qsizetype end, TStyleClass style,
                               std::string_view opener, std::string_view closer, TResult &result, const TTick &tick)
{
    int spans = 0;
    const qsizetype textLength = qsizetype(text.size());
    const qsizetype limit = std::min(end + 1, textLength);
    // A closer of two characters takes one more character into the span.
    const qsizetype closerLength = qsizetype(closer.size()) + (closer.size() > 1 ? 1 : 0);
    qsizetype p = start;
    while (p < limit) {
        const qsizetype open = Find(text, opener, p, limit);
        if (open < 0)
            return;
        const qsizetype close = Find(text, closer, open + 1, limit);
        const qsizetype spanEnd = close < 0 ? limit : close + closerLength;
        Paint(result, textLength, open, spanEnd, char(style));
        p = spanEnd;
        // The tag pass is over: the position reported is its end.
        if (tick && ++spans > TagsPerTick - 1) {
            spans = 0;
            if (tick(limit)) {
                result.aborted = true;
                return;
            }
        }
    }
}

void TColorScanner::MarkWords(std::string_view text, char *styles)
{
    bool twin = false;
    char previousClass = -1;
    bool previousBlank = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char styleClass = char(StyleClassOf(uchar(styles[i])));
        const char c = text[i];
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (styleClass != previousClass)
            twin = false;
        else if (previousBlank && !blank)
            twin = !twin; // a new word of the same run
        styles[i] = char(styleClass | (twin ? StyleTwin : 0));
        previousClass = styleClass;
        previousBlank = blank;
    }
}
