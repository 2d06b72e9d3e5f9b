// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfHorzRule.h"

#include "TagText.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>

TfHorzRule::TfHorzRule(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Horizontal Rule"), parent)
{
    cboAlign = new QComboBox;
    cboAlign->setObjectName(QStringLiteral("cboAlign"));
    cboAlign->setEditable(true);
    cboAlign->setInsertPolicy(QComboBox::NoInsert);
    cboAlign->addItems({QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    cboAlign->setCurrentIndex(-1);
    txtSize = new TvqUpDownEdit(0, 999, 3, QStringLiteral("\\d"), 3);
    txtSize->setObjectName(QStringLiteral("txtSize"));
    txtWidth = new TvqUpDownEdit(0, 999, 1, QStringLiteral("[\\d%]"), 4);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    chkNoShade = new QCheckBox(QStringLiteral("&No shading"));
    chkNoShade->setObjectName(QStringLiteral("chkNoShade"));
    vqColorCombo = NewColorCombo(QStringLiteral("vqColorCombo"));
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Align:"), cboAlign);
    fields->addRow(QStringLiteral("&Size:"), txtSize);
    fields->addRow(QStringLiteral("&Width:"), txtWidth);
    fields->addRow(QStringLiteral("C&olor:"), vqColorCombo);
    fields->addRow(chkNoShade);
    SetContent(fields);
}

void TfHorzRule::ReadFields(const QString &tagText)
{
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
    txtSize->SetText(GetTagAttribute(tagText, QStringLiteral("SIZE=")));
    txtWidth->SetText(GetTagAttribute(tagText, QStringLiteral("WIDTH=")));
    vqColorCombo->SetColorText(GetTagAttribute(tagText, QStringLiteral("COLOR=")));
    chkNoShade->setChecked(tagText.toUpper().contains(QLatin1String("NOSHADE")));
}

QString TfHorzRule::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<HR>"));
    SetQuoted(tag, QStringLiteral("ALIGN="), cboAlign->currentText());
    SetQuoted(tag, QStringLiteral("SIZE="), txtSize->Text());
    SetQuoted(tag, QStringLiteral("WIDTH="), txtWidth->Text());
    SetQuoted(tag, QStringLiteral("COLOR="), vqColorCombo->ColorText());
    const qsizetype noShade = tag.toUpper().indexOf(QLatin1String(" NOSHADE"));
    if (chkNoShade->isChecked() && noShade < 0)
        tag.replace(tag.size() - 1, 1, CaseTag(QStringLiteral(" NOSHADE>")));
    else if (!chkNoShade->isChecked() && noShade >= 0)
        tag.remove(noShade, 8);
    return CaseTag(tag);
}
