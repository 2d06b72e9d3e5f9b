// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMailTo.h"

#include "RegistryKeys.h"
#include "SettingsStore.h"
#include "TagText.h"

#include <QFormLayout>
#include <QLineEdit>

TfMailTo::TfMailTo(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("mailto"), parent)
{
    txtMailTo = new QLineEdit(ReadRegValue(RegistryKeys::Velicort, QStringLiteral("EMailAddress"), QString()));
    txtMailTo->setObjectName(QStringLiteral("txtMailTo"));
    txtMailTo->setMaxLength(255);
    txtMailTo->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&E-mail address:"), txtMailTo);
    SetContent(fields);
}

QString TfMailTo::StartText() const
{
    return CaseTag(QStringLiteral("<A HREF=")) + QStringLiteral("\"mailto:") + txtMailTo->text() +
           QStringLiteral("\">");
}

QString TfMailTo::EndText() const
{
    return CaseTag(QStringLiteral("</A>"));
}

void TfMailTo::accept()
{
    WriteRegValue(RegistryKeys::Velicort, QStringLiteral("EMailAddress"), txtMailTo->text());
    TTagDialog::accept();
}
