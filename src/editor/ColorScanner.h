// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The colour-coding scanner. It works on the bytes of a document, finds tags
// by their "<" and ">", classifies each by its name and, in full mode, paints
// comments, server-script blocks and quoted strings over the result. It only
// computes a style byte per position; the editor applies them.

#include <QtGlobal>

#include <functional>
#include <string_view>
#include <vector>

enum TColorCodeMode { ccNone = 0, ccMinimal = 1, ccFull = 2 };

// Style classes; 0 is plain text. The numbers are the editor's style numbers.
enum TStyleClass : unsigned char {
    scPlain = 0,
    scTags,
    scAnchors,
    scImages,
    scComments,
    scTables,
    scQuotes,
    scScripts,
};
inline constexpr int StyleClassCount = 7;
// Each class has a twin style number that looks the same: words alternate
// between a class and its twin (see MarkWords).
inline constexpr int StyleTwin = 8;
inline constexpr TStyleClass StyleClassOf(int style)
{
    return TStyleClass(style & (StyleTwin - 1));
}

// The mode a stored "ColorCodeMode" number selects.
TColorCodeMode ColorCodeModeFromNumber(qint64 number);

// The class of the tag that starts with "<" at text[0].
TStyleClass ClassifyTagStyle(std::string_view tag);

class TColorScanner
{
public:
    // Styles for the positions first .. first + styles.size() - 1.
    struct TResult
    {
        qsizetype first = 0;
        std::vector<char> styles;
        bool aborted = false;
    };

    // Asked every 21 tags (or spans) with the position reached; returning
    // true stops at once.
    using TTick = std::function<bool(qsizetype position)>;

    // Colours the positions start .. end inclusive. A tag that starts in the
    // range is coloured up to its ">" even beyond the range.
    static TResult ColorRange(std::string_view text, qsizetype start, qsizetype end, TColorCodeMode mode,
                              const TTick &tick = {});

    // One span pass: paints every opener .. closer span of [start, end] with
    // the style. Spans that end beyond the result's styles extend them.
    static void ColorSpans(std::string_view text, qsizetype start, qsizetype end, TStyleClass style,
                           std::string_view opener, std::string_view closer, TResult &result, const TTick &tick = {});

    // Gives every other word of a run of one class its class's twin style.
    // The editor measures text in pieces of one style; short pieces that
    // repeat (words, tag names, attributes) are measured once and then come
    // from its cache, where a long run of one style would be measured whole,
    // again on every line. Wrapping long lines costs a fraction then.
    // styles[i] belongs to text[i].
    static void MarkWords(std::string_view text, char *styles);
};
