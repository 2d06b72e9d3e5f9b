// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptText.h"

#include <QRegularExpression>

QString ScriptStringText(const QString &text, QChar quote)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == quote)
            result += u'\\' + QString(c);
        else if (c == u'\r')
            result += QStringLiteral("\\r");
        else if (c == u'\n')
            result += QStringLiteral("\\n");
        else if (c == QChar(0x2028) || c == QChar(0x2029))
            result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16);
        else if (c == u'/' && i > 0 && text.at(i - 1) == u'<')
            result += QStringLiteral("\\/");
        else
            result += c;
    }
    return result;
}

QString HTMLInScriptText(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\'':
            result += QStringLiteral("&#39;");
            break;
        case u'"':
            result += QStringLiteral("&quot;");
            break;
        case u'\\':
            result += QStringLiteral("&#92;");
            break;
        case u'<':
            result += QStringLiteral("&lt;");
            break;
        case u'>':
            result += QStringLiteral("&gt;");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString AttributeText(const QString &text)
{
    return QString(text).replace(u'"', QLatin1String("&quot;"));
}

QString PlainAttributeText(const QString &text)
{
    static const QRegularExpression Ending(QStringLiteral("[\\s\"'<>=`]"));
    return text.contains(Ending) ? u'"' + AttributeText(text) + u'"' : text;
}

QString FillScriptTemplate(const QString &templateText, const QString &piece)
{
    static const QString Marker = QStringLiteral("/* VELICORT */");
    const qsizetype at = templateText.indexOf(Marker);
    return at < 0 ? QString() : QString(templateText).replace(at, Marker.size(), piece);
}
