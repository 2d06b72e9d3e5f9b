// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Find and replace within one document's text, as the editor holds it (UTF-8
// bytes, line breaks CR LF or LF). The user searches characters: a pattern
// is matched against whole characters whatever the file's encoding, and
// positions come back as byte offsets into the text. Plain text is searched
// in the bytes; a regular expression, or plain text that needs Unicode case
// folding, goes through QRegularExpression on the decoded text. In a regular
// expression "\n" matches a CR LF or a lone LF, "^" and "$" match at every
// line, and the replacement may hold "\0" to "\9", "\n", "\t" and "\\".

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <functional>
#include <string_view>

struct TSearchOptions
{
    bool matchCase = false;
    bool wholeWord = false;
    bool regularExpression = false;
    bool wrapAround = true;
    bool inSelection = false;
    bool operator==(const TSearchOptions &) const = default;
};

struct TSearchMatch
{
    qsizetype start = -1;
    qsizetype length = 0;
    bool Found() const { return start >= 0; }
    qsizetype End() const { return start + length; }
    bool operator==(const TSearchMatch &) const = default;
};

class TDocumentSearch
{
public:
    TDocumentSearch(const QString &pattern, const TSearchOptions &options);

    const TSearchOptions &Options() const { return m_options; }
    // Nothing to search for: an empty pattern.
    bool IsEmpty() const { return m_pattern.isEmpty(); }
    // Why the pattern cannot be searched for; empty when it can.
    QString ErrorText() const { return m_error; }

    // Every match within [start, end) of the text, in order and without
    // overlaps; an empty match is followed by a search one character on.
    // Stops early when found returns false.
    void ForEach(std::string_view text, qsizetype start, qsizetype end,
                 const std::function<bool(TSearchMatch)> &found) const;
    qsizetype Count(std::string_view text, qsizetype start, qsizetype end) const;
    // The first match in [start, end) that starts at or after from, and the
    // last one that starts before it.
    TSearchMatch Next(std::string_view text, qsizetype from, qsizetype start, qsizetype end) const;
    TSearchMatch Previous(std::string_view text, qsizetype before, qsizetype start, qsizetype end) const;

    // The bytes that take the place of a match found in [start, end).
    QByteArray Replacement(std::string_view text, TSearchMatch match, qsizetype start, qsizetype end,
                           const QString &replace) const;

    // Every match in [start, end) replaced: the whole new text, the span of
    // the old text that changed and where it ends in the new one, and where
    // a position of the old text (the caret) went.
    struct TReplaced
    {
        QByteArray text;
        qsizetype count = 0;
        qsizetype first = 0;  // where the first replacement starts
        qsizetype oldEnd = 0; // the end of the last match in the old text
        qsizetype newEnd = 0; // the end of its replacement in the new text
        qsizetype kept = 0;   // the position kept; inside a match, that match's start
    };
    TReplaced ReplaceAll(std::string_view text, qsizetype start, qsizetype end, const QString &replace,
                         qsizetype keep = 0) const;

private:
    // A match of the regular expression with its groups, for the
    // replacement; none for plain text searched in the bytes.
    struct TGroups;
    using TFound = std::function<bool(TSearchMatch, const TGroups *)>;
    // The matches in [start, end) that start at or after from; the range is
    // what the pattern sees (its edges are line and word boundaries).
    void Search(std::string_view text, qsizetype start, qsizetype end, qsizetype from, const TFound &found) const;
    void SearchBytes(std::string_view text, qsizetype start, qsizetype end, qsizetype from, const TFound &found) const;
    void SearchExpression(std::string_view text, qsizetype start, qsizetype end, qsizetype from,
                          const TFound &found) const;
    QByteArray Expand(std::string_view text, const TGroups *groups, const QString &replace) const;

    QString m_pattern;
    TSearchOptions m_options;
    QString m_error;
    bool m_bytewise = false; // plain text searched in the bytes
    QByteArray m_needle;     // its UTF-8, ASCII letters folded when case does not matter
    QRegularExpression m_expression;
};
