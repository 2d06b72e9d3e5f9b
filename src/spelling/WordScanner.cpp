// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordScanner.h"

#include <QChar>

namespace {

constexpr char32_t Apostrophe = '\'';

// The letters of Windows-1252 above ASCII, as Unicode code points: Š Œ š œ Ÿ
// and the Latin-1 letters without × and ÷.
bool IsWindows1252Letter(char32_t c)
{
    switch (c) {
    case 0x160: // 138
    case 0x152: // 140
    case 0x161: // 154
    case 0x153: // 156
    case 0x178: // 159
        return true;
    default:
        return (c >= 0xC0 && c <= 0xFF) && c != 0xD7 && c != 0xF7;
    }
}

} // namespace

bool TWordScanner::IsWordCharacter(char32_t c) const
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return m_anyLetter ? QChar::isLetter(c) : IsWindows1252Letter(c);
}

char32_t TWordScanner::CharacterAt(std::string_view text, qsizetype position, qsizetype &next)
{
    const auto byte = [&](qsizetype i) { return uchar(text[size_t(i)]); };
    const qsizetype size = qsizetype(text.size());
    const uchar lead = byte(position);
    next = position + 1;
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t c = lead & (0x3F >> extra);
    while (extra-- > 0 && next < size && (byte(next) & 0xC0) == 0x80)
        c = (c << 6) | (byte(next++) & 0x3F);
    return c;
}

qsizetype TWordScanner::PreviousPosition(std::string_view text, qsizetype position)
{
    --position;
    while (position > 0 && (uchar(text[size_t(position)]) & 0xC0) == 0x80)
        --position;
    return position;
}

TWordScanner::TWord TWordScanner::NextWord(std::string_view text, qsizetype from, qsizetype end) const
{
    end = std::min(end, qsizetype(text.size()));
    qsizetype position = from;
    while (position < end) {
        qsizetype next = 0;
        // ASCII, by far the most of a page, without decoding.
        const uchar byte = uchar(text[size_t(position)]);
        const bool word = byte < 0x80 ? ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z')
                                      : IsWordCharacter(CharacterAt(text, position, next));
        if (!word) {
            position = byte < 0x80 ? position + 1 : next;
            continue;
        }
        // Apostrophes after the last letter close a quotation.
        const qsizetype start = position;
        qsizetype wordEnd = position;
        while (position < end) {
            const char32_t c = CharacterAt(text, position, next);
            if (c != Apostrophe && !IsWordCharacter(c))
                break;
            position = next;
            if (c != Apostrophe)
                wordEnd = position;
        }
        return {start, wordEnd - start};
    }
    return {};
}

std::pair<qsizetype, qsizetype> TWordScanner::WidenToWords(std::string_view text, qsizetype start, qsizetype end) const
{
    qsizetype next = 0;
    while (start > 0) {
        const qsizetype previous = PreviousPosition(text, start);
        if (!IsWordCharacter(CharacterAt(text, previous, next)))
            break;
        start = previous;
    }
    while (end < qsizetype(text.size())) {
        const char32_t c = CharacterAt(text, end, next);
        if (c != Apostrophe && !IsWordCharacter(c))
            break;
        end = next;
    }
    return {start, end};
}

bool TWordScanner::HasWordCharacter(std::string_view text, qsizetype start, qsizetype end) const
{
    return NextWord(text, start, end).Found();
}
