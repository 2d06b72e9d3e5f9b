// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfTableRow.h"

#include "TagText.h"
#include "TfTable.h"
#include "TvqColorCombo.h"

#include <QComboBox>
#include <QFormLayout>

TfTableRow::TfTableRow(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Table Row"), parent)
{
    cboAlign = NewAlignCombo(QStringLiteral("cboAlign"),
                             {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    cboVAlign = NewAlignCombo(QStringLiteral("cboVAlign"), {QStringLiteral("Top"), QStringLiteral("Middle"),
                                                            QStringLiteral("Bottom"), QStringLiteral("Baseline")});
    vqColorBG = NewColorCombo(QStringLiteral("vqColorBG"));
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Align:"), cboAlign);
    fields->addRow(QStringLiteral("&VAlign:"), cboVAlign);
    fields->addRow(QStringLiteral("Background &Color:"), vqColorBG);
    SetContent(fields);
}

void TfTableRow::ReadFields(const QString &tagText)
{
    vqColorBG->SetColorText(GetTagAttribute(tagText, QStringLiteral("BGCOLOR=")));
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
    cboVAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("VALIGN=")));
}

QString TfTableRow::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<TR>"));
    SetQuoted(tag, QStringLiteral("ALIGN="), cboAlign->currentText());
    SetQuoted(tag, QStringLiteral("VALIGN="), cboVAlign->currentText());
    SetQuoted(tag, QStringLiteral("BGCOLOR="), vqColorBG->ColorText());
    return tag;
}

QString TfTableRow::EndText() const
{
    return EditMode() ? QString() : CaseTag(QStringLiteral("</TR>"));
}
