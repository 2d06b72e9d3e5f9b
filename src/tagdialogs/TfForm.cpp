// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfForm.h"

#include "TagText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

TfForm::TfForm(const TTagDialogContext &context, QWidget *parent) : TTagDialog(context, QStringLiteral("Form"), parent)
{
    txtAction = new QLineEdit;
    txtAction->setObjectName(QStringLiteral("txtAction"));
    txtAction->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    cboMethod = new QComboBox;
    cboMethod->setObjectName(QStringLiteral("cboMethod"));
    cboEnctype = new QComboBox;
    cboEnctype->setObjectName(QStringLiteral("cboEnctype"));
    cboMethod->addItems({QStringLiteral("GET"), QStringLiteral("POST")});
    cboEnctype->addItems({QStringLiteral("application/x-www-form-urlencoded"), QStringLiteral("multipart/form-data")});
    for (QComboBox *combo : {cboMethod, cboEnctype}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCurrentIndex(-1);
    }
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Action:"), txtAction);
    fields->addRow(QStringLiteral("&Method:"), cboMethod);
    fields->addRow(QStringLiteral("&Enctype:"), cboEnctype);
    SetContent(fields);
}

void TfForm::ReadFields(const QString &tagText)
{
    txtAction->setText(GetTagAttribute(tagText, QStringLiteral("ACTION=")));
    cboMethod->setEditText(GetTagAttribute(tagText, QStringLiteral("METHOD=")));
    cboEnctype->setEditText(GetTagAttribute(tagText, QStringLiteral("ENCTYPE=")));
}

QString TfForm::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<FORM>"));
    SetQuoted(tag, QStringLiteral("ACTION="), txtAction->text());
    SetQuoted(tag, QStringLiteral("METHOD="), cboMethod->currentText());
    SetQuoted(tag, QStringLiteral("ENCTYPE="), cboEnctype->currentText());
    return tag;
}

QString TfForm::EndText() const
{
    return EditMode() ? QString() : CaseTag(QStringLiteral("</FORM>"));
}
