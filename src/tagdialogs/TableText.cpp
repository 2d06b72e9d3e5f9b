// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableText.h"

#include "TagText.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString Quoted(const QString &text)
{
    return u'"' + text + u'"';
}

QString HexColor(TColor color)
{
    return Quoted(u'#' + ColorToHexText(color));
}

} // namespace

void EnsureCellAttributes(TTableCell &cell)
{
    if (cell.HasAttributes)
        return;
    cell.HasAttributes = true;
    if (cell.Text.isEmpty())
        cell.Text = QStringLiteral(" ");
}

QString QuickTableText(int rows, int columns)
{
    const QString cell = u'\t' + CaseTag(QStringLiteral("<TD></TD>")) + CrLf;
    QString row =
        CrLf + CaseTag(QStringLiteral("<TR>")) + CrLf + cell.repeated(columns) + CaseTag(QStringLiteral("</TR>"));
    return CaseTag(QStringLiteral("<TABLE>")) + row.repeated(rows) + CrLf + CaseTag(QStringLiteral("</TABLE>"));
}

QString TableWizardText(const TTableProperties &table, std::vector<std::vector<TTableCell>> &cells)
{
    QString t = CaseTag(QStringLiteral("<TABLE"));
    if (!table.Padding.isEmpty())
        t += CaseTag(QStringLiteral(" CELLPADDING=")) + table.Padding;
    if (!table.Spacing.isEmpty())
        t += CaseTag(QStringLiteral(" CELLSPACING=")) + table.Spacing;
    if (!table.Width.isEmpty())
        t += CaseTag(QStringLiteral(" WIDTH=")) + (table.Width.contains(u'%') ? Quoted(table.Width) : table.Width);
    if (!table.Border.isEmpty())
        t += CaseTag(QStringLiteral(" BORDER=")) + table.Border;
    // The alignment values are written in the tag case with their names.
    if (!table.Align.isEmpty())
        t += CaseTag(QStringLiteral(" ALIGN=")) + Quoted(CaseTag(table.Align));
    if (!table.VAlign.isEmpty())
        t += CaseTag(QStringLiteral(" VALIGN=")) + Quoted(CaseTag(table.VAlign));
    if (table.HasBgColor)
        t += CaseTag(QStringLiteral(" BGCOLOR=")) + HexColor(table.BgColor);
    t += u'>';
    if (!table.Caption.isEmpty())
        t += CrLf + u'\t' + CaseTag(QStringLiteral("<CAPTION>")) + table.Caption +
             CaseTag(QStringLiteral("</CAPTION>")) + CrLf;
    const QString cellStart = u'\t' + CaseTag(QStringLiteral("<TD"));
    const QString cellEnd = CaseTag(QStringLiteral("</TD>")) + CrLf;
    const QString rowStart = CrLf + CaseTag(QStringLiteral("<TR>")) + CrLf;
    const QString rowEnd = CaseTag(QStringLiteral("</TR>"));
    for (std::vector<TTableCell> &row : cells) {
        t += rowStart;
        for (TTableCell &cell : row) {
            t += cellStart;
            EnsureCellAttributes(cell);
            const TCellAttributes &a = cell.Attributes;
            if (!a.Align.isEmpty())
                t += CaseTag(QStringLiteral(" ALIGN=")) + Quoted(CaseTag(a.Align));
            if (!a.VAlign.isEmpty())
                t += CaseTag(QStringLiteral(" VALIGN=")) + Quoted(CaseTag(a.VAlign));
            if (!a.Width.isEmpty())
                t += CaseTag(QStringLiteral(" WIDTH=")) + Quoted(a.Width);
            if (!a.Height.isEmpty())
                t += CaseTag(QStringLiteral(" HEIGHT=")) + Quoted(a.Height);
            if (!a.ColSpan.isEmpty())
                t += CaseTag(QStringLiteral(" COLSPAN=")) + a.ColSpan;
            if (!a.RowSpan.isEmpty())
                t += CaseTag(QStringLiteral(" ROWSPAN=")) + a.RowSpan;
            if (a.NoWrap)
                t += CaseTag(QStringLiteral(" NOWRAP"));
            if (a.HasBgColor)
                t += CaseTag(QStringLiteral(" BGCOLOR=")) + HexColor(a.BgColor);
            t += u'>' + cell.Text + cellEnd;
        }
        t += rowEnd;
    }
    return t + CrLf + CaseTag(QStringLiteral("</TABLE>"));
}

void SetPlainAttribute(QString &tag, const QString &name, const QString &text)
{
    SetTagAttribute(tag, CaseTag(name), text);
}

void SetSizeAttribute(QString &tag, const QString &name, const QString &text)
{
    SetPlainAttribute(tag, name, text.contains(u'%') ? Quoted(text) : text);
}
