// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentSearch.h"

#include "TextEncoding.h"

#include <QChar>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

using uchar = unsigned char;

bool IsContinuation(uchar c)
{
    return (c & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at p, or 0 when the byte there
// starts none (a stray byte, which the search takes as one character).
int SequenceLength(const uchar *p, const uchar *end)
{
    if (p[0] < 0x80)
        return 1;
    return int(Utf8SequenceLength(QByteArrayView(p, end - p), 0));
}

char32_t CodePoint(const uchar *p, int length)
{
    switch (length) {
    case 1:
        return p[0];
    case 2:
        return char32_t(p[0] & 0x1F) << 6 | (p[1] & 0x3F);
    case 3:
        return char32_t(p[0] & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
    case 4:
        return char32_t(p[0] & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
    default:
        return QChar::ReplacementCharacter;
    }
}

// The bytes as the regular expression sees them: each stray byte one U+FFFD.
QString Decode(std::string_view bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *end = p + bytes.size();
    while (p < end) {
        const uchar *ascii = p;
        while (p < end && *p < 0x80)
            ++p;
        if (p > ascii)
            text.append(QLatin1StringView(reinterpret_cast<const char *>(ascii), p - ascii));
        if (p == end)
            break;
        const int length = SequenceLength(p, end);
        const char32_t code = CodePoint(p, length);
        if (code > 0xFFFF) {
            text.append(QChar::highSurrogate(code));
            text.append(QChar::lowSurrogate(code));
        } else {
            text.append(QChar(char16_t(code)));
        }
        p += std::max(length, 1);
    }
    return text;
}

// Turns positions in the decoded text back into byte offsets, walking
// forward from the last position asked for.
class TByteMap
{
public:
    TByteMap(std::string_view text, qsizetype start) : m_text(text), m_start(start), m_byte(start) {}

    qsizetype ByteOffset(qsizetype unit)
    {
        if (unit < m_unit) {
            m_unit = 0;
            m_byte = m_start;
        }
        const auto *base = reinterpret_cast<const uchar *>(m_text.data());
        const uchar *end = base + m_text.size();
        while (m_unit < unit && m_byte < qsizetype(m_text.size())) {
            const int length = SequenceLength(base + m_byte, end);
            m_unit += length == 4 ? 2 : 1;
            m_byte += std::max(length, 1);
        }
        return m_byte;
    }

private:
    std::string_view m_text;
    qsizetype m_start;
    qsizetype m_unit = 0;
    qsizetype m_byte;
};

bool IsWordCharacter(char32_t code)
{
    return code == U'_' || QChar::isLetterOrNumber(code);
}

// Whether a word character stands right before or at a position, within
// [start, end).
bool WordBefore(std::string_view text, qsizetype position, qsizetype start)
{
    if (position <= start)
        return false;
    const auto *base = reinterpret_cast<const uchar *>(text.data());
    qsizetype lead = position - 1;
    while (lead > start && lead > position - 4 && IsContinuation(base[lead]))
        --lead;
    const int length = SequenceLength(base + lead, base + position);
    return IsWordCharacter(length == position - lead ? CodePoint(base + lead, length)
                                                     : char32_t(QChar::ReplacementCharacter));
}

bool WordAt(std::string_view text, qsizetype position, qsizetype end)
{
    if (position >= end)
        return false;
    const auto *base = reinterpret_cast<const uchar *>(text.data());
    return IsWordCharacter(CodePoint(base + position, SequenceLength(base + position, base + end)));
}

uchar Fold(uchar c, bool matchCase)
{
    return !matchCase && c >= 'A' && c <= 'Z' ? uchar(c + ('a' - 'A')) : c;
}

// "\n" outside a character class made to match both line-break forms.
QString LineBreaksEitherForm(const QString &pattern)
{
    QString result;
    bool inClass = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\\' && i + 1 < pattern.size()) {
            const QChar next = pattern.at(++i);
            if (next == u'n' && !inClass)
                result += QLatin1String("(?:\\r?\\n)");
            else
                result += c, result += next;
            continue;
        }
        if (c == u'[' && !inClass) {
            inClass = true;
            result += c;
            // A "]" first in the class (or after "^") stands for itself.
            if (i + 1 < pattern.size() && pattern.at(i + 1) == u'^')
                result += pattern.at(++i);
            if (i + 1 < pattern.size() && pattern.at(i + 1) == u']')
                result += pattern.at(++i);
            continue;
        }
        if (c == u']')
            inClass = false;
        result += c;
    }
    return result;
}

} // namespace

struct TDocumentSearch::TGroups
{
    const QRegularExpressionMatch &match;
    std::string_view text;
    qsizetype subjectStart;
};

TDocumentSearch::TDocumentSearch(const QString &pattern, const TSearchOptions &options)
    : m_pattern(pattern), m_options(options)
{
    if (pattern.isEmpty())
        return;
    // Plain text whose letters are all ASCII, or whose case matters, is
    // found byte for byte; other letters need Unicode's case folding.
    const bool foldsBeyondAscii = !options.matchCase && std::any_of(pattern.begin(), pattern.end(), [](QChar c) {
        return c.unicode() >= 0x80 && (c.toLower() != c || c.toUpper() != c);
    });
    m_bytewise = !options.regularExpression && !foldsBeyondAscii;
    if (m_bytewise) {
        m_needle = pattern.toUtf8();
        for (char &c : m_needle)
            c = char(Fold(uchar(c), options.matchCase));
        return;
    }
    QString expression =
        options.regularExpression ? LineBreaksEitherForm(pattern) : QRegularExpression::escape(pattern);
    if (options.wholeWord)
        expression = QLatin1String("(?<![\\p{L}\\p{N}_])(?:") + expression + QLatin1String(")(?![\\p{L}\\p{N}_])");
    // Lines end at CR LF, CR or LF for "^", "$" and ".".
    m_expression.setPattern(QLatin1String("(*ANYCRLF)") + expression);
    QRegularExpression::PatternOptions patternOptions =
        QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        patternOptions |= QRegularExpression::CaseInsensitiveOption;
    m_expression.setPatternOptions(patternOptions);
    if (!m_expression.isValid())
        m_error = QStringLiteral("The regular expression is not valid: %1.").arg(m_expression.errorString());
}

void TDocumentSearch::Search(std::string_view text, qsizetype start, qsizetype end, qsizetype from,
                             const TFound &found) const
{
    end = std::clamp<qsizetype>(end, 0, qsizetype(text.size()));
    start = std::clamp<qsizetype>(start, 0, end);
    from = std::clamp<qsizetype>(from, start, end);
    if (IsEmpty() || !m_error.isEmpty())
        return;
    if (m_bytewise)
        SearchBytes(text, start, end, from, found);
    else
        SearchExpression(text, start, end, from, found);
}

void TDocumentSearch::SearchBytes(std::string_view text, qsizetype start, qsizetype end, qsizetype from,
                                  const TFound &found) const
{
    const char *base = text.data();
    const auto *needle = reinterpret_cast<const uchar *>(m_needle.constData());
    const qsizetype length = m_needle.size();
    const bool matchCase = m_options.matchCase;
    // Candidates are where the first byte stands, in either case: memchr
    // finds them fastest.
    const char lower = char(needle[0]);
    const char upper = matchCase ? lower : char(std::toupper(needle[0]));
    const qsizetype last = end - length; // the last place a match may start
    const auto next = [&](char c, qsizetype at) {
        if (at > last)
            return end;
        const void *hit = std::memchr(base + at, c, size_t(last + 1 - at));
        return hit ? qsizetype(static_cast<const char *>(hit) - base) : end;
    };
    qsizetype lowerAt = next(lower, from);
    qsizetype upperAt = upper == lower ? end : next(upper, from);
    for (;;) {
        const qsizetype at = std::min(lowerAt, upperAt);
        if (at >= end)
            return;
        qsizetype i = 1;
        if (matchCase) {
            i = std::memcmp(base + at + 1, needle + 1, size_t(length - 1)) == 0 ? length : 0;
        } else {
            while (i < length && Fold(uchar(base[at + i]), false) == needle[i])
                ++i;
        }
        qsizetype resume = at + 1;
        if (i == length &&
            (!m_options.wholeWord || (!WordBefore(text, at, start) && !WordAt(text, at + length, end)))) {
            if (!found({at, length}, nullptr))
                return;
            resume = at + length;
        }
        if (lowerAt < resume)
            lowerAt = next(lower, resume);
        if (upper != lower && upperAt < resume)
            upperAt = next(upper, resume);
    }
}

void TDocumentSearch::SearchExpression(std::string_view text, qsizetype start, qsizetype end, qsizetype from,
                                       const TFound &found) const
{
    const std::string_view range = text.substr(size_t(start), size_t(end - start));
    const QString subject = Decode(range);
    TByteMap map(text, start);
    // The offset of from in the decoded text.
    qsizetype offset = 0;
    if (from > start) {
        const auto *p = reinterpret_cast<const uchar *>(text.data()) + start;
        const auto *stop = reinterpret_cast<const uchar *>(text.data()) + from;
        while (p < stop) {
            const int length = SequenceLength(p, stop);
            offset += length == 4 ? 2 : 1;
            p += std::max(length, 1);
        }
    }
    QRegularExpressionMatchIterator matches = m_expression.globalMatch(subject, offset);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const qsizetype first = map.ByteOffset(match.capturedStart());
        const qsizetype last = map.ByteOffset(match.capturedEnd());
        const TGroups groups{match, text, start};
        if (!found({first, last - first}, &groups))
            return;
    }
}

void TDocumentSearch::ForEach(std::string_view text, qsizetype start, qsizetype end,
                              const std::function<bool(TSearchMatch)> &found) const
{
    Search(text, start, end, start, [&](TSearchMatch match, const TGroups *) { return found(match); });
}

qsizetype TDocumentSearch::Count(std::string_view text, qsizetype start, qsizetype end) const
{
    qsizetype count = 0;
    Search(text, start, end, start, [&](TSearchMatch, const TGroups *) { return ++count, true; });
    return count;
}

TSearchMatch TDocumentSearch::Next(std::string_view text, qsizetype from, qsizetype start, qsizetype end) const
{
    TSearchMatch next;
    Search(text, start, end, from, [&](TSearchMatch match, const TGroups *) { return next = match, false; });
    return next;
}

TSearchMatch TDocumentSearch::Previous(std::string_view text, qsizetype before, qsizetype start, qsizetype end) const
{
    TSearchMatch previous;
    Search(text, start, end, start, [&](TSearchMatch match, const TGroups *) {
        if (match.start >= before)
            return false;
        previous = match;
        return true;
    });
    return previous;
}

QByteArray TDocumentSearch::Expand(std::string_view text, const TGroups *groups, const QString &replace) const
{
    if (!m_options.regularExpression || !groups)
        return replace.toUtf8();
    QByteArray result;
    QString literal; // written out whole, so that surrogate pairs stay together
    TByteMap map(text, groups->subjectStart);
    for (qsizetype i = 0; i < replace.size(); ++i) {
        const QChar c = replace.at(i);
        if (c != u'\\' || i + 1 == replace.size()) {
            literal += c;
            continue;
        }
        const QChar next = replace.at(++i);
        if (next == u'n') {
            literal += QLatin1String("\r\n");
        } else if (next == u't') {
            literal += u'\t';
        } else if (next == u'\\') {
            literal += u'\\';
        } else if (next >= u'0' && next <= u'9') {
            // The group's own bytes, stray bytes included.
            result += literal.toUtf8();
            literal.clear();
            const int group = next.digitValue();
            if (group <= groups->match.lastCapturedIndex() && groups->match.hasCaptured(group)) {
                const qsizetype first = map.ByteOffset(groups->match.capturedStart(group));
                const qsizetype last = map.ByteOffset(groups->match.capturedEnd(group));
                result.append(text.data() + first, last - first);
            }
        } else {
            literal += c;
            literal += next;
        }
    }
    return result + literal.toUtf8();
}

QByteArray TDocumentSearch::Replacement(std::string_view text, TSearchMatch match, qsizetype start, qsizetype end,
                                        const QString &replace) const
{
    QByteArray bytes = replace.toUtf8();
    Search(text, start, end, match.start, [&](TSearchMatch found, const TGroups *groups) {
        if (found == match)
            bytes = Expand(text, groups, replace);
        return false;
    });
    return bytes;
}

TDocumentSearch::TReplaced TDocumentSearch::ReplaceAll(std::string_view text, qsizetype start, qsizetype end,
                                                       const QString &replace, qsizetype keep) const
{
    TReplaced result;
    result.kept = keep;
    const QByteArray literal = replace.toUtf8();
    const bool expands = m_options.regularExpression && replace.contains(u'\\');
    QByteArray &out = result.text;
    out.reserve(qsizetype(text.size()) + qsizetype(text.size()) / 8);
    qsizetype copied = 0;
    Search(text, start, end, start, [&](TSearchMatch match, const TGroups *groups) {
        if (result.count++ == 0)
            result.first = match.start;
        out.append(text.data() + copied, match.start - copied);
        if (match.start < keep && keep < match.End())
            result.kept = out.size();
        out.append(expands ? Expand(text, groups, replace) : literal);
        copied = match.End();
        if (copied <= keep)
            result.kept = out.size() + (keep - copied);
        result.oldEnd = copied;
        result.newEnd = out.size();
        return true;
    });
    if (result.count == 0)
        return {};
    out.append(text.data() + copied, qsizetype(text.size()) - copied);
    return result;
}
