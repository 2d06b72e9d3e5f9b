// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfFormElement.h"

#include "ScriptText.h"
#include "TagText.h"
#include "TvqUpDownEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

TvqUpDownEdit *NewNumber(const char *name)
{
    auto *edit = new TvqUpDownEdit(0, 999, 1, QStringLiteral("\\d"), 3);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

TfFormElement::TfFormElement(const TTagDialogContext &context, TFormElementKind kind, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Form Element"), parent)
{
    cboElement = new QComboBox;
    cboElement->setObjectName(QStringLiteral("cboElement"));
    cboElement->addItems({QStringLiteral("Text"), QStringLiteral("Text Area"), QStringLiteral("Hidden"),
                          QStringLiteral("Checkbox"), QStringLiteral("Radio Button"), QStringLiteral("Select List"),
                          QStringLiteral("Submit Button"), QStringLiteral("Reset Button")});
    txtName = new QLineEdit;
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    txtValue = new QLineEdit;
    txtValue->setObjectName(QStringLiteral("txtValue"));
    lblValue = new QLabel(QStringLiteral("&Value:"));
    lblValue->setBuddy(txtValue);
    txtVal1 = NewNumber("txtVal1");
    txtVal2 = NewNumber("txtVal2");
    lblVal1 = new QLabel;
    lblVal1->setBuddy(txtVal1);
    lblVal2 = new QLabel;
    lblVal2->setBuddy(txtVal2);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Form Element:"), cboElement);
    fields->addRow(QStringLiteral("&Name:"), txtName);
    fields->addRow(lblValue, txtValue);
    fields->addRow(lblVal1, txtVal1);
    fields->addRow(lblVal2, txtVal2);
    SetContent(fields);
    cboElement->setCurrentIndex(kind);
    SetKind(kind);
    connect(cboElement, &QComboBox::currentIndexChanged, this, &TfFormElement::SetKind);
    txtName->setFocus();
}

TFormElementKind TfFormElement::Kind() const
{
    return TFormElementKind(cboElement->currentIndex());
}

void TfFormElement::SetKind(int kind)
{
    txtName->clear();
    txtValue->clear();
    txtVal1->SetText(QStringLiteral("0"));
    txtVal2->SetText(QStringLiteral("0"));
    QString first;
    QString second;
    if (kind == feText) {
        first = QStringLiteral("&Size:");
        second = QStringLiteral("&Max Len:");
    } else if (kind == feTextArea) {
        first = QStringLiteral("&Rows:");
        second = QStringLiteral("&Cols:");
    } else if (kind == feSelect) {
        first = QStringLiteral("&Rows:");
    }
    lblVal1->setText(first);
    lblVal2->setText(second);
    for (QWidget *widget : {static_cast<QWidget *>(lblVal1), static_cast<QWidget *>(txtVal1)})
        widget->setVisible(!first.isEmpty());
    for (QWidget *widget : {static_cast<QWidget *>(lblVal2), static_cast<QWidget *>(txtVal2)})
        widget->setVisible(!second.isEmpty());
    lblValue->setVisible(kind != feSelect);
    txtValue->setVisible(kind != feSelect);
}

QString TfFormElement::StartText() const
{
    const auto input = [this](const char *type) {
        QString tag = CaseTag(QStringLiteral("<INPUT>"));
        SetQuoted(tag, QStringLiteral("TYPE="), CaseTag(QLatin1String(type)));
        SetQuoted(tag, QStringLiteral("NAME="), AttributeText(txtName->text()));
        SetQuoted(tag, QStringLiteral("VALUE="), AttributeText(txtValue->text()));
        return tag;
    };
    QString tag;
    switch (Kind()) {
    case feText:
        tag = input("TEXT");
        SetUnquoted(tag, QStringLiteral("SIZE="), txtVal1->Text());
        SetUnquoted(tag, QStringLiteral("MAXLENGTH="), txtVal2->Text());
        break;
    case feTextArea:
        tag = CaseTag(QStringLiteral("<TEXTAREA>"));
        SetQuoted(tag, QStringLiteral("NAME="), AttributeText(txtName->text()));
        SetUnquoted(tag, QStringLiteral("ROWS="), txtVal1->Text());
        SetUnquoted(tag, QStringLiteral("COLS="), txtVal2->Text());
        break;
    case feSelect:
        tag = CaseTag(QStringLiteral("<SELECT>"));
        SetQuoted(tag, QStringLiteral("NAME="), AttributeText(txtName->text()));
        for (int row = 0; row < txtVal1->Text().toInt(); ++row)
            tag += QStringLiteral("\r\n\t") + CaseTag(QStringLiteral("<OPTION>"));
        break;
    case feHidden:
        tag = input("HIDDEN");
        break;
    case feCheckbox:
        tag = input("CHECKBOX");
        break;
    case feRadio:
        tag = input("RADIO");
        break;
    case feSubmit:
        tag = input("SUBMIT");
        break;
    case feReset:
        tag = input("RESET");
        break;
    }
    return tag + QStringLiteral("\r\n");
}

QString TfFormElement::EndText() const
{
    switch (Kind()) {
    case feTextArea:
        return CaseTag(QStringLiteral("</TEXTAREA>"));
    case feSelect:
        return QStringLiteral("\r\n") + CaseTag(QStringLiteral("</SELECT>"));
    default:
        return QString();
    }
}
