// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectionCommands.h"

#include "Hourglass.h"
#include "LongRun.h"
#include "SpecialCharacters.h"
#include "TvqRichHTML.h"

#include <QScopeGuard>

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// The lines a selection covers; one that ends at the start of a line does
// not take that line.
std::pair<int, int> SelectedLines(const TvqRichHTML &editor, bool endingLineFeedExcluded)
{
    qsizetype start = 0;
    qsizetype length = 0;
    editor.GetSel(start, length);
    const int first = editor.LineFromChar(start);
    int last = editor.LineFromChar(start + length);
    if (endingLineFeedExcluded && length > 0 && editor.RawText().at(start + length - 1) == '\n')
        --last;
    return {first, last};
}

// Selects lines first to last without the last one's line break.
void SelectLineTexts(TvqRichHTML &editor, int first, int last)
{
    const qsizetype start = editor.LineIndex(first);
    editor.SetSel(start, editor.LineIndex(last) + editor.LineLength(last) - start);
}

// Replaces the selection, pushes the undo record that puts the old text back
// and marks the document modified; the new text stays selected.
void ReplaceWithUndo(TvqRichHTML &editor, const QString &text)
{
    qsizetype start = 0;
    qsizetype length = 0;
    editor.GetSel(start, length);
    const QByteArray old = editor.RawText().mid(start, length);
    const QByteArray bytes = editor.Encode(text);
    {
        TvqRichHTML::TRecordedEdit recorded(&editor);
        editor.ReplaceSelBytes(bytes);
    }
    editor.PushUndo({start, bytes.size(), old});
    editor.SetSel(start, bytes.size());
    editor.SetModified(true);
}

// Rewrites the lines first to last, line by line.
void RewriteLines(TvqRichHTML &editor, int first, int last, const std::function<QString(const QString &)> &rewrite)
{
    TvqRichHTML::TRedrawSuspension suspension(&editor);
    auto finish = qScopeGuard([&] {
        suspension.Resume();
        editor.SetModified(true);
    });
    if (last < first)
        return;
    QStringList lines;
    for (int line = first; line <= last; ++line)
        lines.append(rewrite(editor.LineText(line)));
    SelectLineTexts(editor, first, last);
    ReplaceWithUndo(editor, lines.join(QStringLiteral("\r\n")));
    editor.ColorLines(first, last);
    SelectLineTexts(editor, first, last);
}

// The whole text rewritten: replaces only the span that changed and returns
// where the new bytes of that span end (-1 when nothing changed).
std::pair<qsizetype, qsizetype> ReplaceChangedSpan(TvqRichHTML &editor, const QByteArray &old,
                                                   const QByteArray &rewritten)
{
    qsizetype front = 0;
    const qsizetype shorter = std::min(old.size(), rewritten.size());
    while (front < shorter && old.at(front) == rewritten.at(front))
        ++front;
    if (front == old.size() && front == rewritten.size())
        return {-1, -1};
    qsizetype back = 0;
    while (back < shorter - front && old.at(old.size() - 1 - back) == rewritten.at(rewritten.size() - 1 - back))
        ++back;
    editor.ReplaceSpan(rewritten, front, old.size() - back, rewritten.size() - back);
    return {front, rewritten.size() - back};
}

char CaseOf(char c, bool upper)
{
    return char(upper ? std::toupper(uchar(c)) : std::tolower(uchar(c)));
}

} // namespace

void ConvertLines(TvqRichHTML &editor, const QString &header, const QString &footer, const QString &prefix,
                  const QString &suffix)
{
    const auto [first, last] = SelectedLines(editor, true);
    editor.SelectLines(first, last);
    qsizetype start = 0;
    qsizetype length = 0;
    editor.GetSel(start, length);
    const QByteArray old = editor.RawText().mid(start, length);

    QString block;
    if (!header.isEmpty())
        block += header + QStringLiteral("\r\n");
    for (int line = first; line <= last; ++line)
        block += prefix + editor.LineText(line) + suffix + QStringLiteral("\r\n");
    if (!footer.isEmpty())
        block += footer + QStringLiteral("\r\n");

    const QByteArray bytes = editor.Encode(block);
    {
        TvqRichHTML::TRecordedEdit recorded(&editor);
        editor.ReplaceSelBytes(bytes);
    }
    const int blockLines = int(block.count(QStringLiteral("\r\n")));
    editor.ColorLines(first, first + blockLines - 1);
    editor.SetSel(start, bytes.size());
    editor.PushUndo({start, bytes.size(), old});
    editor.SetModified(true);
}

void StripTags(TvqRichHTML &editor, bool wholeDocument)
{
    qsizetype start = 0;
    qsizetype length = 0;
    editor.GetSel(start, length);
    if (!wholeDocument && length == 0)
        return;
    THourglass hourglass;
    TvqRichHTML::TRedrawSuspension suspension(&editor);
    if (wholeDocument) {
        start = 0;
        length = editor.TextLength();
    }
    auto finish = qScopeGuard([&] { editor.SetSelStart(start); });

    QString text = editor.Decode(editor.RawText().mid(start, length));
    // A selection that starts inside a tag keeps that tag's rest.
    const qsizetype firstOpen = text.indexOf(u'<');
    const qsizetype firstClose = text.indexOf(u'>');
    if (firstOpen > 0 && firstClose < firstOpen) {
        start += editor.Encode(text.left(firstOpen)).size();
        text = text.mid(firstOpen);
    }

    // Each tag goes in turn; the first ">" before the next "<" ends it.
    QString stripped;
    qsizetype at = 0;
    for (;;) {
        const qsizetype open = text.indexOf(u'<', at);
        const qsizetype close = text.indexOf(u'>', at);
        if (open < 0 || close < 0 || close < open)
            break;
        stripped += QStringView(text).mid(at, open - at);
        at = close + 1;
    }
    stripped += QStringView(text).mid(at);
    if (stripped == text)
        return;

    editor.SetSel(start, editor.Encode(text).size());
    ReplaceWithUndo(editor, stripped);
    editor.ColorRange(start, start + editor.Encode(stripped).size());
}

void StripOuterTags(TvqRichHTML &editor)
{
    qsizetype start = 0;
    qsizetype length = 0;
    editor.GetSel(start, length);
    if (length >= 2 && editor.RawText().at(start + length - 1) == '\n') {
        length -= 2;
        editor.SetSel(start, length);
    }
    const QString text = editor.SelText();
    const qsizetype open = text.indexOf(u'<');
    const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open);
    if (close < 0)
        return;
    QString rest = text.mid(close + 1);
    bool closeSeen = false;
    for (qsizetype i = rest.size() - 1; i >= 0; --i) {
        if (rest.at(i) == u'>') {
            closeSeen = true;
        } else if (rest.at(i) == u'<' && closeSeen) {
            rest.truncate(i);
            break;
        }
    }
    if (!closeSeen)
        return;
    ReplaceWithUndo(editor, rest);
    if (editor.ColorCodeMode() != ccNone)
        editor.ColorRange(start, start + editor.Encode(rest).size());
}

void ChangeSelectionCase(TvqRichHTML &editor, bool upper)
{
    qsizetype start = 0;
    qsizetype length = 0;
    editor.GetSel(start, length);
    if (length == 0)
        return;
    const QString text = editor.SelText();
    const QString changed = upper ? text.toUpper() : text.toLower();
    ReplaceWithUndo(editor, changed);
    const qsizetype changedLength = editor.Encode(changed).size();
    if (editor.ColorCodeMode() != ccNone)
        editor.ColorRange(start, start + changedLength);
    editor.SetSel(start, changedLength);
}

void IndentLines(TvqRichHTML &editor)
{
    const auto [first, last] = SelectedLines(editor, true);
    RewriteLines(editor, first, last, [](const QString &line) { return u'\t' + line; });
}

void UnindentLines(TvqRichHTML &editor)
{
    const auto [first, last] = SelectedLines(editor, false);
    RewriteLines(editor, first, last, [](const QString &line) { return line.startsWith(u'\t') ? line.mid(1) : line; });
}

void ConvertTagCase(TvqRichHTML &editor, bool upper)
{
    if (editor.TextLength() == 0)
        return;
    const qsizetype caret = editor.GetSelStart();
    THourglass hourglass;
    // The progress display lets events run.
    TLongRun run;
    editor.SetProgressCaption(QStringLiteral("Converting tags..."));
    editor.ReportProgress(0);
    editor.SetShowCursorWhileLocked(false);
    TvqRichHTML::TRedrawSuspension suspension(&editor);
    auto finish = qScopeGuard([&] {
        editor.SetSelStart(caret);
        suspension.Resume();
        editor.ReportProgress(100);
        editor.SetProgressCaption(QString());
        editor.SetShowCursorWhileLocked(true);
        editor.ColorAll();
        editor.SetModified(true);
    });

    const QByteArray text = editor.RawText();
    QByteArray converted = text;
    const QByteArray upperText = text.toUpper();
    const qsizetype size = text.size();
    qsizetype at = 0;
    int tags = 0;
    while (at < size) {
        const qsizetype open = text.indexOf('<', at);
        const qsizetype close = open < 0 ? -1 : text.indexOf('>', open + 1);
        if (close < 0)
            break;
        const QByteArrayView inside(text.constData() + open + 1, close - open - 1);
        const bool script = QByteArrayView(upperText.constData() + open + 1, close - open - 1).startsWith("SCRIPT");
        if (!inside.contains("!--")) {
            bool quoted = false;
            for (qsizetype i = open + 1; i < close; ++i) {
                if (text.at(i) == '"')
                    quoted = !quoted;
                else if (!quoted)
                    converted[i] = CaseOf(text.at(i), upper);
            }
        }
        if (++tags == 11) {
            tags = 0;
            editor.ReportProgress(int(close * 100 / size));
        }
        if (script) {
            // The script's own text is left alone; its end tag comes next.
            at = upperText.indexOf("</SCRIPT", at);
            if (at < 0)
                break;
        } else {
            at = close + 1;
        }
    }
    // Every byte keeps its place, so the older undo records still fit.
    TvqRichHTML::TRecordedEdit recorded(&editor);
    ReplaceChangedSpan(editor, text, converted);
}

int ReplaceExtendedCharacters(TvqRichHTML &editor, bool toEntities, const std::function<void(int)> &progress)
{
    // The accented letters: the entries after the first page.
    struct TPair
    {
        QByteArray from;
        QByteArray to;
    };
    std::vector<TPair> pairs;
    for (const TSpecialCharacter &character : SpecialCharacters) {
        if (character.page == 0)
            continue;
        const QByteArray letter = editor.Encode(QString::fromUtf16(character.shown));
        const QByteArray entity(character.entity);
        pairs.push_back(toEntities ? TPair{letter, entity} : TPair{entity, letter});
    }

    // The progress display lets events run.
    TLongRun run;
    const QByteArray text = editor.RawText();
    const qsizetype size = text.size();
    QByteArray rewritten;
    rewritten.reserve(size);
    int count = 0;
    int reported = -1;
    for (qsizetype at = 0; at < size;) {
        // Letters start with a byte above 127, entities with "&".
        const char c = text.at(at);
        const bool candidate = toEntities ? (uchar(c) & 0x80) != 0 : c == '&';
        const TPair *match = nullptr;
        if (candidate) {
            const QByteArrayView rest(text.constData() + at, size - at);
            for (const TPair &pair : pairs)
                if (rest.startsWith(pair.from)) {
                    match = &pair;
                    break;
                }
        }
        if (match) {
            rewritten.append(match->to);
            at += match->from.size();
            ++count;
        } else {
            rewritten.append(c);
            ++at;
        }
        if (progress && at * 100 / size != reported) {
            reported = int(at * 100 / size);
            if (reported % 10 == 0)
                progress(reported);
        }
    }
    if (count > 0) {
        const auto [start, end] = ReplaceChangedSpan(editor, text, rewritten);
        if (editor.ColorCodeMode() != ccNone)
            editor.ColorRange(start, end);
    }
    return count;
}
