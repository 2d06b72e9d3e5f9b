// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The words of a document as the spelling checker takes them, found in the
// UTF-8 bytes the editor holds. A word begins at a word character and runs
// over word characters and the apostrophe, up to its last word character. In a Windows-1252 document the
// word characters are the letters A-Z, a-z and those of that code page; in a
// UTF-8 document every Unicode letter is one, so that "café" is one word.

#include <QtGlobal>

#include <string_view>
#include <utility>

class TWordScanner
{
public:
    // anyLetter: every Unicode letter is a word character (UTF-8 documents).
    explicit TWordScanner(bool anyLetter) : m_anyLetter(anyLetter) {}

    bool IsWordCharacter(char32_t c) const;

    struct TWord
    {
        qsizetype start = -1;
        qsizetype length = 0;
        bool Found() const { return start >= 0; }
        qsizetype End() const { return start + length; }
    };
    // The first word that begins in [from, end) and its bytes up to end.
    TWord NextWord(std::string_view text, qsizetype from, qsizetype end) const;
    // The range widened to whole words: backwards over word characters before
    // it, forwards over word characters and apostrophes after it.
    std::pair<qsizetype, qsizetype> WidenToWords(std::string_view text, qsizetype start, qsizetype end) const;
    bool HasWordCharacter(std::string_view text, qsizetype start, qsizetype end) const;

private:
    // The character at a position and the position after it.
    static char32_t CharacterAt(std::string_view text, qsizetype position, qsizetype &next);
    static qsizetype PreviousPosition(std::string_view text, qsizetype position);

    bool m_anyLetter;
};
