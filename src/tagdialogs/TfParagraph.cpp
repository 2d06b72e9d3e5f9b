// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfParagraph.h"

#include "TagText.h"

#include <QComboBox>
#include <QFormLayout>

TfParagraph::TfParagraph(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Paragraph"), parent)
{
    cboAlign = new QComboBox;
    cboAlign->setObjectName(QStringLiteral("cboAlign"));
    cboAlign->setEditable(true);
    cboAlign->setInsertPolicy(QComboBox::NoInsert);
    cboAlign->addItems({QStringLiteral("LEFT"), QStringLiteral("CENTER"), QStringLiteral("RIGHT")});
    cboAlign->setCurrentIndex(-1);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Align:"), cboAlign);
    SetContent(fields);
}

void TfParagraph::ReadFields(const QString &tagText)
{
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
}

QString TfParagraph::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<P>"));
    SetQuoted(tag, QStringLiteral("ALIGN="), cboAlign->currentText());
    return tag;
}
