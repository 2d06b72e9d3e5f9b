// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfFloatingFrame.h"

#include "TagText.h"
#include "TfFrame.h"
#include "TfTable.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace {

QLineEdit *NewSize(const char *name)
{
    auto *field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(4);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), field));
    return field;
}

} // namespace

TfFloatingFrame::TfFloatingFrame(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Floating Frame"), parent)
{
    txtName = new QLineEdit;
    txtName->setObjectName(QStringLiteral("txtName"));
    txtSource = new QLineEdit;
    txtSource->setObjectName(QStringLiteral("txtSource"));
    txtSource->setMaxLength(50);
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnSource"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this] {
        if (const QString reference = TfFrame::BrowseHTMLDocument(m_context); !reference.isEmpty())
            txtSource->setText(reference);
    });
    txtWidth = NewSize("txtWidth");
    txtHeight = NewSize("txtHeight");
    txtMarginHeight = NewMarginField("txtMarginHeight");
    txtMarginWidth = NewMarginField("txtMarginWidth");
    cboAlign = NewAlignCombo(QStringLiteral("cboAlign"),
                             {QStringLiteral("TOP"), QStringLiteral("MIDDLE"), QStringLiteral("BOTTOM"),
                              QStringLiteral("LEFT"), QStringLiteral("RIGHT")});
    cboScrolling = NewAlignCombo(QStringLiteral("cboScrolling"), {QStringLiteral("Yes"), QStringLiteral("No")});
    chkBorder = new QCheckBox(QStringLiteral("&Frame Border"));
    chkBorder->setObjectName(QStringLiteral("chkBorder"));
    chkBorder->setChecked(true);

    auto *source = new QHBoxLayout;
    source->addWidget(txtSource, 1);
    source->addWidget(browse);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name:"), txtName);
    fields->addRow(QStringLiteral("&Source:"), source);
    static_cast<QLabel *>(fields->labelForField(source))->setBuddy(txtSource);
    fields->addRow(QStringLiteral("&Width:"), txtWidth);
    fields->addRow(QStringLiteral("&Height:"), txtHeight);
    fields->addRow(QStringLiteral("Margin H&eight:"), txtMarginHeight);
    fields->addRow(QStringLiteral("Margin W&idth:"), txtMarginWidth);
    fields->addRow(QStringLiteral("&Align:"), cboAlign);
    fields->addRow(QStringLiteral("S&crolling:"), cboScrolling);
    fields->addRow(chkBorder);
    SetContent(fields);
}

void TfFloatingFrame::ReadFields(const QString &tagText)
{
    txtName->setText(GetTagAttribute(tagText, QStringLiteral("NAME=")));
    txtSource->setText(GetTagAttribute(tagText, QStringLiteral("SRC=")));
    txtWidth->setText(GetTagAttribute(tagText, QStringLiteral("WIDTH=")));
    txtHeight->setText(GetTagAttribute(tagText, QStringLiteral("HEIGHT=")));
    txtMarginHeight->SetText(GetTagAttribute(tagText, QStringLiteral("MARGINHEIGHT=")));
    txtMarginWidth->SetText(GetTagAttribute(tagText, QStringLiteral("MARGINWIDTH=")));
    cboScrolling->setEditText(GetTagAttribute(tagText, QStringLiteral("SCROLLING=")));
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
    bool number = false;
    const int border = GetTagAttribute(tagText, QStringLiteral("FRAMEBORDER=")).toInt(&number);
    chkBorder->setChecked(!number || border == 1);
}

QString TfFloatingFrame::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<IFRAME>"));
    SetQuoted(tag, QStringLiteral("NAME="), txtName->text());
    SetQuoted(tag, QStringLiteral("SRC="), txtSource->text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("WIDTH=")), txtWidth->text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("HEIGHT=")), txtHeight->text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("MARGINHEIGHT=")), txtMarginHeight->Text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("MARGINWIDTH=")), txtMarginWidth->Text());
    SetTagAttribute(tag, CaseTag(QStringLiteral("ALIGN=")), cboAlign->currentText());
    SetTagAttribute(tag, CaseTag(QStringLiteral("FRAMEBORDER=")),
                    chkBorder->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    SetQuoted(tag, QStringLiteral("SCROLLING="), cboScrolling->currentText());
    return tag;
}

QString TfFloatingFrame::EndText() const
{
    return EditMode() ? QString() : CaseTag(QStringLiteral("</IFRAME>"));
}
