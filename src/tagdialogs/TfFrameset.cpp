// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfFrameset.h"

#include "TagText.h"

#include <QFormLayout>
#include <QLineEdit>

TfFrameset::TfFrameset(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Frameset"), parent)
{
    txtCols = new QLineEdit;
    txtCols->setObjectName(QStringLiteral("txtCols"));
    txtRows = new QLineEdit;
    txtRows->setObjectName(QStringLiteral("txtRows"));
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Cols:"), txtCols);
    fields->addRow(QStringLiteral("&Rows:"), txtRows);
    SetContent(fields);
}

void TfFrameset::ReadFields(const QString &tagText)
{
    txtCols->setText(GetTagAttribute(tagText, QStringLiteral("COLS=")));
    txtRows->setText(GetTagAttribute(tagText, QStringLiteral("ROWS=")));
}

QString TfFrameset::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<FRAMESET>"));
    SetQuoted(tag, QStringLiteral("COLS="), txtCols->text());
    SetQuoted(tag, QStringLiteral("ROWS="), txtRows->text());
    return EditMode() ? tag : tag + QStringLiteral("\r\n");
}

QString TfFrameset::EndText() const
{
    return EditMode() ? QString() : QStringLiteral("\r\n") + CaseTag(QStringLiteral("</FRAMESET>"));
}
