// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The editor's replace-all on the bytes of a text: the pattern is searched
// forward from the start, ASCII letters compared without case unless case
// matters and every other byte exactly; each match is replaced and the search
// goes on after it, so matches never overlap and a replacement is never
// searched again. The editor's own replace-all and the replace across files
// both go through it, so that they count and change alike.

#include <QByteArray>

#include <string_view>

struct TPlainReplaced
{
    QByteArray text; // the whole new text; empty when nothing matched
    qsizetype count = 0;
    qsizetype first = 0;  // where the first match starts
    qsizetype oldEnd = 0; // the end of the last match in the old text
};

qsizetype CountPlain(std::string_view text, std::string_view pattern, bool matchCase);
TPlainReplaced ReplacePlain(std::string_view text, std::string_view pattern, std::string_view replacement,
                            bool matchCase);
