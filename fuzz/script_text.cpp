// SPDX-License-Identifier: GPL-3.0-or-later
// What the script dialogs write around text the user typed. The input is the
// text, in UTF-8. Whatever it holds, it cannot end the script string, the
// SCRIPT element, the HTML a script writes or the attribute it lands in.

#include "FuzzCheck.h"
#include "ScriptText.h"

#include <QString>

#include <cstdint>

namespace {

// A string body between two quotes: every quote and line break escaped, and
// no "</" to end the element.
bool StaysInString(const QString &body, QChar quote)
{
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        if (c == u'\\') {
            if (++i == body.size())
                return false;
            continue;
        }
        if (c == quote || c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029))
            return false;
    }
    return !body.contains(QLatin1String("</"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    FUZZ_CHECK(StaysInString(ScriptStringText(text, u'"'), u'"'));
    FUZZ_CHECK(StaysInString(ScriptStringText(text, u'\''), u'\''));
    const QString html = HTMLInScriptText(text);
    for (const QChar c : {u'\'', u'"', u'\\', u'<', u'>'})
        FUZZ_CHECK(!html.contains(c));
    FUZZ_CHECK(!AttributeText(text).contains(u'"'));
    const QString plain = PlainAttributeText(text);
    if (plain.startsWith(u'"') && plain != text)
        FUZZ_CHECK(plain.size() >= 2 && plain.endsWith(u'"') && !plain.mid(1, plain.size() - 2).contains(u'"'));
    else
        for (const QChar c : plain)
            FUZZ_CHECK(!QStringLiteral(" \t\n\f\r\"'<>=`").contains(c));
    return 0;
}
