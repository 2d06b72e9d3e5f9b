// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfTable.h"

#include "MessageService.h"
#include "TableText.h"
#include "TagText.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QComboBox *NewAlignCombo(const QString &objectName, const QStringList &items)
{
    auto *combo = new QComboBox;
    combo->setObjectName(objectName);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QLayout *NewBackgroundImageRow(QLineEdit *field, const TTagDialogContext &context)
{
    field->setObjectName(QStringLiteral("txtBkImage"));
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 30);
    auto *browse = new QPushButton(QStringLiteral("..."));
    browse->setObjectName(QStringLiteral("btnBkImage"));
    browse->setToolTip(QStringLiteral("Select an Image"));
    QObject::connect(browse, &QPushButton::clicked, field, [field, context] {
        const QString file = TMessageService::Instance().GetOpenFileName(
            QStringLiteral("Select an Image"), context.documentFolder,
            QStringLiteral("Web Images (*.jpg *.gif *.JPG *.GIF);;All Files (*)"));
        if (file.isEmpty())
            return;
        const QFileInfo info(file);
        field->setText(MakeRelativeFolder(context.documentFolder, info.absolutePath(), context.lowerCaseFiles) +
                       info.fileName());
    });
    auto *row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(browse);
    return row;
}

TfTable::TfTable(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Table"), parent)
{
    txtPadding = new TvqUpDownEdit(0, 99, 1, QStringLiteral("\\d"), 2);
    txtPadding->setObjectName(QStringLiteral("txtPadding"));
    txtSpacing = new TvqUpDownEdit(0, 99, 1, QStringLiteral("\\d"), 2);
    txtSpacing->setObjectName(QStringLiteral("txtSpacing"));
    txtWidth = new TvqUpDownEdit(0, 999, 5, QStringLiteral("[\\d%]"), 4);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    txtBorder = new TvqUpDownEdit(0, 99, 1, QStringLiteral("[\\d%]"), 4);
    txtBorder->setObjectName(QStringLiteral("txtBorder"));
    cboAlign = NewAlignCombo(QStringLiteral("cboAlign"),
                             {QStringLiteral("LEFT"), QStringLiteral("CENTER"), QStringLiteral("RIGHT")});
    cboVAlign = NewAlignCombo(QStringLiteral("cboVAlign"), {QStringLiteral("TOP"), QStringLiteral("CENTER"),
                                                            QStringLiteral("BOTTOM"), QStringLiteral("BASELINE")});
    vqColorBG = NewColorCombo(QStringLiteral("vqColorBG"));
    txtBkImage = new QLineEdit;
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Cell &Padding:"), txtPadding);
    fields->addRow(QStringLiteral("Cell &Spacing:"), txtSpacing);
    fields->addRow(QStringLiteral("&Width:"), txtWidth);
    fields->addRow(QStringLiteral("&Border:"), txtBorder);
    fields->addRow(QStringLiteral("&Align:"), cboAlign);
    fields->addRow(QStringLiteral("&VAlign:"), cboVAlign);
    fields->addRow(QStringLiteral("Background &Color:"), vqColorBG);
    QLayout *image = NewBackgroundImageRow(txtBkImage, context);
    fields->addRow(QStringLiteral("Background &Image:"), image);
    static_cast<QLabel *>(fields->labelForField(image))->setBuddy(txtBkImage);
    SetContent(fields);
}

void TfTable::ReadFields(const QString &tagText)
{
    vqColorBG->SetColorText(GetTagAttribute(tagText, QStringLiteral("BGCOLOR=")));
    txtWidth->SetText(GetTagAttribute(tagText, QStringLiteral("WIDTH=")));
    txtBorder->SetText(GetTagAttribute(tagText, QStringLiteral("BORDER=")));
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
    cboVAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("VALIGN=")));
    txtBkImage->setText(GetTagAttribute(tagText, QStringLiteral("BACKGROUND=")));
    txtSpacing->SetText(GetTagAttribute(tagText, QStringLiteral("CELLSPACING=")));
    txtPadding->SetText(GetTagAttribute(tagText, QStringLiteral("CELLPADDING=")));
}

QString TfTable::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<TABLE>"));
    SetPlainAttribute(tag, QStringLiteral("CELLSPACING="), txtSpacing->Text());
    SetPlainAttribute(tag, QStringLiteral("CELLPADDING="), txtPadding->Text());
    SetPlainAttribute(tag, QStringLiteral("BORDER="), txtBorder->Text());
    SetQuoted(tag, QStringLiteral("ALIGN="), cboAlign->currentText());
    SetQuoted(tag, QStringLiteral("VALIGN="), cboVAlign->currentText());
    SetQuoted(tag, QStringLiteral("BGCOLOR="), vqColorBG->ColorText());
    SetQuoted(tag, QStringLiteral("BACKGROUND="), txtBkImage->text());
    SetSizeAttribute(tag, QStringLiteral("WIDTH="), txtWidth->Text());
    return tag;
}

QString TfTable::EndText() const
{
    return EditMode() ? QString() : CaseTag(QStringLiteral("</TABLE>"));
}
