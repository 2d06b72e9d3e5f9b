// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfScript.h"

#include "MessageService.h"
#include "ScriptText.h"
#include "TagText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TfScript::TfScript(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Script"), parent)
{
    cboLanguage = new QComboBox;
    cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    cboLanguage->setEditable(true);
    cboLanguage->setInsertPolicy(QComboBox::NoInsert);
    cboLanguage->addItems({QStringLiteral("JavaScript"), QStringLiteral("JavaScript1.1"),
                           QStringLiteral("JavaScript1.2"), QStringLiteral("JScript"), QStringLiteral("VBScript")});
    txtSource = new QLineEdit;
    txtSource->setObjectName(QStringLiteral("txtSource"));
    txtSource->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnBrowse"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, &TfScript::btnBrowseClick);
    auto *source = new QHBoxLayout;
    source->addWidget(txtSource, 1);
    source->addWidget(browse);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Language:"), cboLanguage);
    fields->addRow(BuddyLabel(QStringLiteral("&Source:"), txtSource), source);
    SetContent(fields);
}

void TfScript::ReadFields(const QString &tagText)
{
    cboLanguage->setEditText(GetTagAttribute(tagText, QStringLiteral("LANGUAGE=")));
    txtSource->setText(GetTagAttribute(tagText, QStringLiteral("SRC=")));
}

void TfScript::btnBrowseClick()
{
    const QString file = TMessageService::Instance().GetOpenFileName(
        QStringLiteral("Open HTML Document"), m_context.documentFolder, QStringLiteral("All Files (*)"));
    if (file.isEmpty())
        return;
    txtSource->setText(RelativeReference(file));
}

void TfScript::accept()
{
    if (cboLanguage->currentText().isEmpty() && txtSource->text().isEmpty()) {
        MessageDlg(QStringLiteral("Please select either a language or a source."), TMsgKind::Warning);
        cboLanguage->setFocus();
        return;
    }
    TTagDialog::accept();
}

QString TfScript::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<SCRIPT>"));
    SetQuoted(tag, QStringLiteral("LANGUAGE="), AttributeText(cboLanguage->currentText()));
    SetQuoted(tag, QStringLiteral("SRC="), AttributeText(txtSource->text()));
    return EditMode() ? tag : tag + QStringLiteral("\r\n<!--\r\n");
}

QString TfScript::EndText() const
{
    return EditMode() ? QString() : QStringLiteral("\r\n//-->\r\n") + CaseTag(QStringLiteral("</SCRIPT>"));
}
