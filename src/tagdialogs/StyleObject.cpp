// SPDX-License-Identifier: GPL-3.0-or-later
#include "StyleObject.h"

#include "TagText.h"

#include <QStringList>

QByteArray TStyleObject::ToRecord() const
{
    QByteArray record(RecordBytes, '\0');
    for (int slot = 0; slot < ssUsedSlots; ++slot) {
        QString text = Slots[slot].left(SlotBytes - 1);
        QByteArray bytes = text.toUtf8();
        while (bytes.size() > SlotBytes - 1) {
            text.chop(text.size() > 1 && text.back().isLowSurrogate() ? 2 : 1);
            bytes = text.toUtf8();
        }
        record[slot * SlotBytes] = char(bytes.size());
        record.replace(slot * SlotBytes + 1, bytes.size(), bytes);
    }
    return record;
}

TStyleObject TStyleObject::FromRecord(QByteArrayView record)
{
    TStyleObject style;
    for (int slot = 0; slot < ssUsedSlots; ++slot) {
        const qsizetype start = qsizetype(slot) * SlotBytes;
        if (start >= record.size())
            break;
        const int length = std::min<int>(quint8(record[start]), int(record.size() - start - 1));
        style.Slots[slot] = QString::fromUtf8(record.sliced(start + 1, length));
    }
    return style;
}

QString StyleDeclarations(const TStyleObject &style, bool inAttribute)
{
    const auto &s = style.Slots;
    QStringList declarations;
    const auto add = [&declarations](const char *property, const QString &value, const QString &unit = QString()) {
        if (!value.isEmpty())
            declarations.append(QLatin1String(property) + QStringLiteral(": ") + value + unit);
    };
    add("font-size", s[ssFontSize], s[ssFontSizeUnit]);
    const QString &family = s[ssFontFamily];
    add("font-family", inAttribute && family.contains(u' ') ? u'\'' + family + u'\'' : family);
    add("font-weight", s[ssFontWeight]);
    add("font-style", s[ssFontStyle]);
    add("line-height", s[ssLeading], s[ssLeadingUnit]);
    add("text-decoration", s[ssDecoration]);
    add("text-align", s[ssTextAlign]);
    add("text-indent", s[ssTextIndent], s[ssTextIndentUnit]);
    add("margin-left", s[ssLeftMargin], s[ssLeftMarginUnit]);
    add("margin-right", s[ssRightMargin], s[ssRightMarginUnit]);
    add("color", s[ssColor]);
    add("background", s[ssBackground]);
    return declarations.join(QStringLiteral("; "));
}

std::pair<QString, QString> StyleWrap(const TStyleObject &style, TStyleWrapping wrapping)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString d = StyleDeclarations(style, wrapping == swStyleAttribute);
    switch (wrapping) {
    case swStyleBlock:
        return {CaseTag(QStringLiteral("<STYLE TYPE=")) + QStringLiteral("\"text/css\">") + crlf +
                    QStringLiteral("<!--") + crlf + QStringLiteral("\t{ ") + d + QStringLiteral(" }"),
                crlf + QStringLiteral("-->") + crlf + CaseTag(QStringLiteral("</STYLE>")) + crlf};
    case swSpan:
        return {CaseTag(QStringLiteral("<SPAN STYLE=")) + u'"' + d + QStringLiteral("\">"),
                crlf + CaseTag(QStringLiteral("</SPAN>")) + crlf};
    case swStyleAttribute:
        return {CaseTag(QStringLiteral("STYLE=")) + u'"' + d + u'"', QString()};
    case swRuleBody:
        break;
    }
    return {u'{' + d + QStringLiteral(" }"), QString()};
}
