// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfQuickStart.h"

#include "TagText.h"
#include "TfBody.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

TfQuickStart::TfQuickStart(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("QuickStart"), parent)
{
    txtTitle = new QLineEdit(QStringLiteral("Untitled"));
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    cboDocType = new QComboBox;
    cboDocType->setObjectName(QStringLiteral("cboDocType"));
    cboDocType->setEditable(true);
    cboDocType->setInsertPolicy(QComboBox::NoInsert);
    cboDocType->addItems({QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">"),
                          QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Draft//EN\">"),
                          QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.2\">"),
                          QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML 2.0//EN\">"),
                          QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML Level 1//EN\">")});
    cboDocType->setCurrentIndex(0);
    cboDocType->setMinimumWidth(fontMetrics().horizontalAdvance(cboDocType->itemText(4)) + 40);
    chkBody = new QCheckBox(QStringLiteral("Include <BODY> tag"));
    chkBody->setObjectName(QStringLiteral("chkBody"));
    chkBody->setChecked(true);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Title:"), txtTitle);
    fields->addRow(QStringLiteral("&DocType:"), cboDocType);
    fields->addRow(chkBody);
    SetContent(fields);
}

void TfQuickStart::accept()
{
    if (chkBody->isChecked()) {
        TfBody body(m_context, this);
        if (body.exec() != QDialog::Accepted)
            return;
        m_bodyTag = body.StartText();
    }
    TTagDialog::accept();
}

QString TfQuickStart::StartText() const
{
    QString text;
    if (!cboDocType->currentText().isEmpty())
        text += cboDocType->currentText() + QStringLiteral("\r\n");
    text += CaseTag(QStringLiteral("<HTML>\r\n<HEAD>"));
    if (!txtTitle->text().isEmpty())
        text += QStringLiteral("\r\n\t") + CaseTag(QStringLiteral("<TITLE>")) +
                QString(txtTitle->text()).replace(u'<', QLatin1String("&lt;")) + CaseTag(QStringLiteral("</TITLE>"));
    text += QStringLiteral("\r\n") + CaseTag(QStringLiteral("</HEAD>")) + QStringLiteral("\r\n");
    if (chkBody->isChecked())
        text += QStringLiteral("\r\n") + m_bodyTag + QStringLiteral("\r\n");
    return text;
}

QString TfQuickStart::EndText() const
{
    QString text = QStringLiteral("\r\n\r\n\r\n");
    if (chkBody->isChecked())
        text += CaseTag(QStringLiteral("</BODY>")) + QStringLiteral("\r\n");
    return text + CaseTag(QStringLiteral("</HTML>")) + QStringLiteral("\r\n");
}
