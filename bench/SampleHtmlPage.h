// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A large, deterministic HTML page for timing the editor: the mix of markup
// a hand-written site page has (nested layout tables, links, images,
// comments, scripts, running text with some non-ASCII words), with CR LF
// line breaks, as the editor holds a document.

#include <QByteArray>

// Exactly `size` bytes of valid UTF-8; the same bytes on every call.
QByteArray MakeSampleHtmlPage(qsizetype size);

// Figures about a page, printed beside the timings so that a reader can judge
// what was measured.
struct TSamplePageStats
{
    qsizetype bytes = 0;
    qsizetype lines = 0;
    qsizetype blankLines = 0;
    qsizetype tags = 0;
    qsizetype nonAsciiBytes = 0;
    double meanLineLength = 0; // without the line break
};

TSamplePageStats SamplePageStats(const QByteArray &page);
