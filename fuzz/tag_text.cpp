// SPDX-License-Identifier: GPL-3.0-or-later
// The tag text routines. The input is a tag and, after a NUL, a value. Any
// tag may be read; a well-formed tag stays well formed when one of its
// attributes is set, and reads back what was set (unless the tag names it
// twice), and when it is removed.

#include "FuzzCheck.h"
#include "TagText.h"

#include <QRegularExpression>
#include <QString>

#include <cstdint>
#include <cstdio>

namespace {

// "<", a name of letters and digits, then attributes whose values are either
// quoted, every quote closed, or unquoted without quotes, "=" or brackets,
// and ">"; blanks or line breaks between any two, no other control
// characters.
bool WellFormed(const QString &tag)
{
    if (tag.size() < 3 || !tag.startsWith(u'<') || !tag.endsWith(u'>') || !tag.at(1).isLetter())
        return false;
    qsizetype i = 2;
    while (i < tag.size() - 1 && tag.at(i).isLetterOrNumber())
        ++i;
    if (i < tag.size() - 1 && tag.at(i) != u' ' && tag.at(i) != u'\r' && tag.at(i) != u'\n')
        return false;
    enum { Names, ValueStart, Unquoted, Quoted, Closed } state = Names;
    QChar quote;
    const auto special = [](QChar c) {
        return c == u'"' || c == u'\'' || c == u'=' || c == u'<' || c == u'>' || c == u'`';
    };
    for (; i < tag.size() - 1; ++i) {
        const QChar c = tag.at(i);
        const bool blank = c == u' ' || c == u'\r' || c == u'\n';
        if (!blank && c.unicode() < 0x20)
            return false;
        switch (state) {
        case Names:
            if (c == u'=')
                state = ValueStart;
            else if (special(c))
                return false;
            break;
        case ValueStart:
            if (c == u'"' || c == u'\'') {
                quote = c;
                state = Quoted;
            } else if (special(c)) {
                return false;
            } else if (!blank) {
                state = Unquoted;
            }
            break;
        case Unquoted:
            if (blank)
                state = Names;
            else if (special(c))
                return false;
            break;
        case Quoted:
            if (c == quote)
                state = Closed;
            break;
        case Closed: // a blank parts a quoted value from what follows
            if (!blank)
                return false;
            state = Names;
            break;
        }
    }
    return state == Names || state == Unquoted || state == Closed;
}

// How often an attribute name stands in the tag, quoted values included.
// Where it stands twice, setting or removing it touches the first, and
// reading it back may find the second.
qsizetype NameCount(const QString &tag, const QString &name)
{
    const QRegularExpression pattern(QStringLiteral("[\\s<]") + QRegularExpression::escape(name.chopped(1)) +
                                         QStringLiteral("\\s*="),
                                     QRegularExpression::CaseInsensitiveOption);
    qsizetype count = 0;
    for (auto it = pattern.globalMatch(tag); it.hasNext(); it.next())
        ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    QString tag = QString::fromUtf8(split < 0 ? input : input.left(split));
    QString value = split < 0 ? QString() : QString::fromUtf8(input.mid(split + 1));

    static const QString names[] = {QStringLiteral("HREF="), QStringLiteral("src="), QStringLiteral("ALT="),
                                    QStringLiteral("WIDTH=")};
    const QString &name = names[size % 4];
    (void)GetTagAttribute(tag, name);
    (void)ClassifyTag(tag);
    (void)CollectQuotedValues(QStringLiteral("HREF=\""), tag, size % 2 == 0);

    // Set a plain value: no quotes, brackets or control characters of its own.
    value.removeIf([](QChar c) { return c == u'"' || c == u'\'' || c == u'<' || c == u'>' || c.unicode() < 0x20; });
    // A value read back starts after the blanks and "=" that lead it.
    while (value.startsWith(u' ') || value.startsWith(u'='))
        value.remove(0, 1);
    const bool wellFormed = WellFormed(tag);
    QString changed = tag;
    SetTagAttribute(changed, name, u'"' + value + u'"');
    if (wellFormed) {
        if (!WellFormed(changed))
            std::fprintf(stderr, "%s set to \"%s\" in %s gives %s\n", qPrintable(name), qPrintable(value),
                         qPrintable(tag), qPrintable(changed));
        FUZZ_CHECK(WellFormed(changed));
        if (NameCount(tag, name) <= 1)
            FUZZ_CHECK(GetTagAttribute(changed, name) == value);
    }
    // And remove it again.
    const QString set = changed;
    SetTagAttribute(changed, name, QString());
    if (wellFormed && !WellFormed(changed))
        std::fprintf(stderr, "%s removed from %s gives %s\n", qPrintable(name), qPrintable(set), qPrintable(changed));
    if (wellFormed)
        FUZZ_CHECK(WellFormed(changed));
    return 0;
}
