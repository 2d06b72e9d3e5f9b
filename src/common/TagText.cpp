// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagText.h"

#include "IniFile.h"
#include "MessageService.h"
#include "Paths.h"
#include "TextUtils.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool g_lowerCaseTags = false;

const QString kTwoQuotes = QStringLiteral("\"\"");

// Both forms of line break become one blank each, so a tag that spans lines
// is searched, and written back, as one line.
QString JoinLines(const QString &text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

bool IsValueLead(QChar c)
{
    return c == u' ' || c == u'"' || c == u'=';
}

// Whether a lead character is the value's own first character: an "=" after
// the opening quote.
bool InsideQuotes(QChar quote, QChar c)
{
    return !quote.isNull() && c == u'=';
}

bool EndsUnquotedValue(QChar c)
{
    return c == u' ' || c == u'"' || c == u'>';
}

bool IsQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// Where a quoted value whose text starts at from ends: at the next quote of
// its kind, or, for a quote never closed, before the tag's last ">" so that
// the tag keeps its bracket.
qsizetype QuoteEnd(const QString &s, QChar quote, qsizetype from)
{
    const qsizetype close = s.indexOf(quote, from);
    if (close >= 0)
        return close;
    return s.endsWith(u'>') && s.size() - 1 >= from ? s.size() - 1 : s.size();
}

// For each character of a tag, whether it lies inside a quoted attribute
// value, quotes included. A quote opens a value only where a value starts
// (after "=" and any blanks), so an apostrophe inside a word opens nothing;
// the same kind of quote closes it.
QList<bool> QuotedValueMask(const QString &s)
{
    QList<bool> inside(s.size(), false);
    QChar lastOutside;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (IsQuote(c) && lastOutside == u'=') {
            const qsizetype end = QuoteEnd(s, c, i + 1);
            const qsizetype last = end < s.size() && s.at(end) == c ? end : end - 1;
            std::fill(inside.begin() + i, inside.begin() + last + 1, true);
            i = last;
        }
        if (c != u' ')
            lastOutside = c;
    }
    return inside;
}

// The first place outside quoted values where the text starts with needle
// (compared without case), or -1: a ">" or a name inside a value is text.
qsizetype IndexOutsideValues(const QString &s, QStringView needle)
{
    const QList<bool> quoted = QuotedValueMask(s);
    for (qsizetype i = 0; i < s.size(); ++i)
        if (!quoted.at(i) && QStringView(s).sliced(i).startsWith(needle, Qt::CaseInsensitive))
            return i;
    return -1;
}

// The position of the "<" or blank that stands directly before the name, or
// -1. The name right after "<" is preferred, as the tag's own name would be.
qsizetype FindAttribute(const QString &tag, const QString &trimmedName, bool *afterBracket = nullptr)
{
    qsizetype at = IndexOutsideValues(tag, QString(u'<' + trimmedName));
    if (afterBracket)
        *afterBracket = at >= 0;
    if (at < 0)
        at = IndexOutsideValues(tag, QString(u' ' + trimmedName));
    return at;
}

// Where a value that started at start ends: its closing quote for a quoted
// value (see QuoteEnd), else the next blank, double quote or ">". closed
// tells whether a closing quote was found.
qsizetype ValueEnd(const QString &s, qsizetype start, QChar quote, bool *closed)
{
    if (!quote.isNull()) {
        const qsizetype end = QuoteEnd(s, quote, start);
        *closed = end < s.size() && s.at(end) == quote;
        return end;
    }
    *closed = false;
    qsizetype end = start;
    while (end < s.size() && !EndsUnquotedValue(s.at(end)))
        ++end;
    return end;
}

// The tag's own closing ">": the first one outside quoted values, or -1.
qsizetype TagBracket(const QString &s)
{
    return IndexOutsideValues(s, u">");
}

QString CollapseBlanks(const QString &s)
{
    const QList<bool> quoted = QuotedValueMask(s);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) == u' ' && !quoted.at(i) && out.endsWith(u' '))
            continue;
        out.append(s.at(i));
    }
    return out;
}

bool LessNoCase(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

QString EnsureTrailingSlash(const QString &folder)
{
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

// A Windows drive ("c:") at the start of a path, which stays an absolute
// path here too so that references written on Windows keep working.
bool HasDriveLetter(const QString &path)
{
    return path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter();
}

} // namespace

void SetLowerCaseTags(bool lower)
{
    g_lowerCaseTags = lower;
}

bool LowerCaseTags()
{
    return g_lowerCaseTags;
}

QString CaseTag(const QString &text)
{
    return g_lowerCaseTags ? text.toLower() : text.toUpper();
}

QString GetTagAttribute(const QString &tagText, const QString &name)
{
    const QString s = JoinLines(tagText);
    const QString trimmedName = name.trimmed();
    if (trimmedName.isEmpty())
        return QString();
    const qsizetype at = FindAttribute(s, trimmedName);
    if (at < 0)
        return QString();

    qsizetype i = at + 1 + trimmedName.size();
    if (QStringView(s).mid(i, 2) == kTwoQuotes)
        return QString();
    QChar quote;
    while (i < s.size() && IsValueLead(s.at(i)) && !InsideQuotes(quote, s.at(i))) {
        if (s.at(i) == u'"')
            quote = u'"';
        ++i;
    }
    // A single-quoted value is quoted too, up to its own closing quote.
    if (quote.isNull() && i < s.size() && s.at(i) == u'\'')
        quote = s.at(i++);
    // A value that would start on the last character is the tag's ">".
    if (i >= s.size() - 1)
        return QString();

    bool closed = false;
    const qsizetype end = ValueEnd(s, i, quote, &closed);
    return s.mid(i, end - i);
}

void SetTagAttribute(QString &tagText, const QString &name, const QString &value)
{
    QString s = JoinLines(tagText);
    const QString trimmedName = name.trimmed();
    const bool removing = value.isEmpty() || value == kTwoQuotes;
    bool afterBracket = false;
    const qsizetype at = trimmedName.isEmpty() ? -1 : FindAttribute(s, trimmedName, &afterBracket);

    if (at < 0) {
        if (!removing && !trimmedName.isEmpty()) {
            const QString added = u' ' + trimmedName + value;
            const qsizetype bracket = TagBracket(s);
            if (bracket < 0)
                s += added + u'>';
            else
                s.insert(bracket, added);
        }
        tagText = s;
        return;
    }

    qsizetype i = at + 1 + trimmedName.size();
    QChar quote;
    while (i < s.size() && IsValueLead(s.at(i)) && !InsideQuotes(quote, s.at(i))) {
        if (s.at(i) == u'"') {
            quote = u'"';
            const QChar next = i + 1 < s.size() ? s.at(i + 1) : QChar();
            if (next == u'"') {
                ++i; // empty value: it starts and ends at the second quote
                break;
            }
            if (next == u' ') {
                s.remove(i + 1, 1);
                ++i;
                break;
            }
        }
        ++i;
    }
    if (quote.isNull() && i < s.size() && s.at(i) == u'\'')
        quote = s.at(i++);
    qsizetype start = i;
    bool closed = false;
    qsizetype end = ValueEnd(s, start, quote, &closed);
    if (!quote.isNull() && start > 0 && s.at(start - 1) == quote) {
        // The new value brings its own quotes, so the old ones go.
        if (closed)
            s.remove(end, 1);
        s.remove(start - 1, 1);
        --start;
        --end;
    }

    if (!removing) {
        s.replace(start, end - start, value);
    } else {
        // Keep the "<" when the name directly followed it; a blank goes with
        // the attribute.
        const qsizetype from = afterBracket ? at + 1 : at;
        s.remove(from, end - from);
        if (s.size() >= 2 && s.at(s.size() - 2) == u' ')
            s.remove(s.size() - 2, 1);
    }
    tagText = CollapseBlanks(s);
}

TTagKind ClassifyTag(const QString &tagText)
{
    struct TKindText
    {
        const char *text;
        TTagKind kind;
    };
    // Order matters: "<FRAMESET" and "<IFRAME" before "<FRAME", "<APPLET"
    // before "<A ".
    static const TKindText kinds[] = {
        {"<!--", tkComment},       {"<BODY", tkBody},
        {"<APPLET", tkApplet},     {"<A ", tkAnchor},
        {"<FONT", tkFont},         {"<BASEFONT", tkBaseFont},
        {"<IMG", tkImage},         {"<TABLE", tkTable},
        {"<TD", tkTableDataCell},  {"<TH", tkTableHeaderCell},
        {"<TR", tkTableRow},       {"<OBJECT", tkObject},
        {"<PARAM", tkParameter},   {"<BGSOUND", tkBackgroundSound},
        {"<EMBED", tkEmbed},       {"<FORM", tkForm},
        {"<FRAMESET", tkFrameset}, {"<IFRAME", tkFloatingFrame},
        {"<FRAME", tkFrame},       {"<HR", tkHorizontalRule},
        {"<SCRIPT", tkScript},     {"<META", tkMeta},
        {"<MARQUEE", tkMarquee},   {"<P ", tkParagraph},
        {"<P>", tkParagraph},
    };
    const QString head = tagText.left(10).toUpper();
    for (const TKindText &k : kinds) {
        if (head.contains(QLatin1String(k.text)))
            return k.kind;
    }
    return tkOther;
}

QStringList CollectQuotedValues(const QString &prefix, const QString &text, bool sorted)
{
    QStringList values;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(prefix, from, Qt::CaseInsensitive);
        if (at < 0)
            break;
        const qsizetype start = at + prefix.size();
        const qsizetype quote = text.indexOf(u'"', start);
        if (quote < 0)
            break;
        const QString value = text.mid(start, quote - start);
        from = quote + 1;
        if (sorted) {
            const auto place = std::lower_bound(values.begin(), values.end(), value, LessNoCase);
            if (place == values.end() || place->compare(value, Qt::CaseInsensitive) != 0)
                values.insert(place, value);
        } else {
            values.append(value);
        }
    }
    if (!sorted)
        std::stable_sort(values.begin(), values.end(), LessNoCase);
    return values;
}

std::optional<QStringList> CollectQuotedValues(const QString &prefix, const QFileInfo &file, bool sorted)
{
    QFile f(file.filePath());
    if (!f.open(QIODevice::ReadOnly)) {
        MessageDlg(QStringLiteral("Unable to open ") + file.filePath() + u'.', TMsgKind::Error, TMsgButtons::Ok);
        return std::nullopt;
    }
    return CollectQuotedValues(prefix, DecodeFileText(f.readAll()), sorted);
}

QString MakeRelativeFolder(const QString &documentFolder, const QString &targetFolder, bool lowerCase)
{
    QString doc = lowerCase ? documentFolder.toLower() : documentFolder;
    QString target = lowerCase ? targetFolder.toLower() : targetFolder;
    if (doc.isEmpty())
        return target.mid(target.indexOf(u':') + 1);
    if (target.isEmpty())
        return doc;

    doc = ToWebPath(EnsureTrailingSlash(doc));
    target = ToWebPath(EnsureTrailingSlash(target));
    if (doc == target)
        return QString();
    if (target.startsWith(doc))
        return target.mid(doc.size());

    // Whole leading folders that both share; a leading "/" counts as the
    // shared root folder, a different drive letter shares nothing.
    const QStringList docParts = doc.chopped(1).split(u'/');
    const QStringList targetParts = target.chopped(1).split(u'/');
    qsizetype shared = 0;
    qsizetype sharedLength = 0;
    while (shared < docParts.size() && shared < targetParts.size() && docParts.at(shared) == targetParts.at(shared)) {
        sharedLength += docParts.at(shared).size() + 1;
        ++shared;
    }
    if (shared == 0)
        return target.mid(target.indexOf(u':') + 1);
    return QStringLiteral("../").repeated(docParts.size() - shared) + target.mid(sharedLength);
}

QString ResolveDocumentPath(const QString &documentFile, const QString &reference)
{
    // "mailto:", "javascript:" and every other reference with a scheme is no
    // file; a drive letter stays an absolute path.
    if (reference.contains(u':'))
        return HasDriveLetter(reference) ? ToNativePath(reference) : reference;
    const QString ref = ToNativePath(reference);
    if (ref.startsWith(u'#'))
        return ToNativePath(documentFile) + ref;
    if (IsAbsoluteFilePath(ref))
        return ref;

    const QString doc = ToWebPath(documentFile);
    const qsizetype slash = doc.lastIndexOf(u'/');
    if (slash < 0)
        return ref;

    // Segments of the document's folder; the first one is the root ("" for a
    // leading "/") or a drive and is never climbed out of.
    QStringList parts = doc.left(slash).split(u'/');
    const qsizetype root = parts.constFirst().isEmpty() || HasDriveLetter(parts.constFirst()) ? 1 : 0;
    const QStringList refParts = ToWebPath(ref).split(u'/');
    for (const QString &part : refParts) {
        if (part == QLatin1String("..")) {
            if (parts.size() > root)
                parts.removeLast();
        } else if (!part.isEmpty() && part != QLatin1String(".")) {
            parts.append(part);
        }
    }
    QString result = parts.join(u'/');
    if (result.isEmpty() || ref.endsWith(u'/'))
        result += u'/';
    return ToNativePath(result);
}

QString ReadShortcutURL(const QString &shortcutFile)
{
    if (!QFileInfo::exists(shortcutFile))
        return QString();
    const TIniFile ini(shortcutFile);
    return ini.ReadString(QStringLiteral("InternetShortcut"), QStringLiteral("URL"), QString());
}
