// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainReplace.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

class TPlainMatcher
{
public:
    TPlainMatcher(std::string_view text, std::string_view pattern, bool matchCase) : m_text(text), m_pattern(pattern)
    {
        m_anyCase = !matchCase && std::any_of(pattern.begin(), pattern.end(),
                                              [](char c) { return (c & 0x80) == 0 && std::isalpha(uchar(c)); });
    }

    // A single byte that compares exactly: counted and copied in one sweep.
    bool SingleByte() const { return m_pattern.size() == 1 && !m_anyCase; }

    size_t Next(size_t from) const
    {
        if (!m_anyCase)
            return m_pattern.size() == 1 ? m_text.find(m_pattern.front(), from) : m_text.find(m_pattern, from);
        const auto sameWithoutCase = [](char a, char b) {
            return a == b || ((a & 0x80) == 0 && (b & 0x80) == 0 && std::tolower(uchar(a)) == std::tolower(uchar(b)));
        };
        const auto found =
            std::search(m_text.begin() + from, m_text.end(), m_pattern.begin(), m_pattern.end(), sameWithoutCase);
        return found == m_text.end() ? std::string_view::npos : size_t(found - m_text.begin());
    }

    template <typename Found> void ForEach(Found found) const
    {
        for (size_t match = Next(0); match != std::string_view::npos; match = Next(match + m_pattern.size()))
            found(match);
    }

private:
    std::string_view m_text;
    std::string_view m_pattern;
    bool m_anyCase = false;
};

} // namespace

qsizetype CountPlain(std::string_view text, std::string_view pattern, bool matchCase)
{
    if (pattern.empty())
        return 0;
    const TPlainMatcher matcher(text, pattern, matchCase);
    if (matcher.SingleByte())
        return qsizetype(std::count(text.begin(), text.end(), pattern.front()));
    qsizetype count = 0;
    matcher.ForEach([&](size_t) { ++count; });
    return count;
}

TPlainReplaced ReplacePlain(std::string_view text, std::string_view pattern, std::string_view replacement,
                            bool matchCase)
{
    TPlainReplaced result;
    if (pattern.empty())
        return result;
    const TPlainMatcher matcher(text, pattern, matchCase);
    // The new text is built at its final size.
    const qsizetype growth = qsizetype(replacement.size()) - qsizetype(pattern.size());
    if (matcher.SingleByte()) {
        const char byte = pattern.front();
        result.count = std::count(text.begin(), text.end(), byte);
        if (result.count == 0)
            return result;
        result.text.resize(qsizetype(text.size()) + result.count * growth);
        char *out = result.text.data();
        for (const char c : text) {
            if (c == byte)
                out = std::copy(replacement.begin(), replacement.end(), out);
            else
                *out++ = c;
        }
        result.first = qsizetype(text.find(byte));
        result.oldEnd = qsizetype(text.rfind(byte)) + 1;
        return result;
    }
    std::vector<size_t> matches;
    matcher.ForEach([&](size_t match) { matches.push_back(match); });
    result.count = qsizetype(matches.size());
    if (result.count == 0)
        return result;
    result.text.resize(qsizetype(text.size()) + result.count * growth);
    char *out = result.text.data();
    size_t from = 0;
    for (const size_t match : matches) {
        out = std::copy(text.data() + from, text.data() + match, out);
        out = std::copy(replacement.begin(), replacement.end(), out);
        from = match + pattern.size();
    }
    std::copy(text.data() + from, text.data() + text.size(), out);
    result.first = qsizetype(matches.front());
    result.oldEnd = qsizetype(matches.back() + pattern.size());
    return result;
}
