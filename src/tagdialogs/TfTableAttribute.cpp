// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfTableAttribute.h"

#include "TableText.h"
#include "TagText.h"
#include "TfTable.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

TfTableAttribute::TfTableAttribute(const TTagDialogContext &context, bool header, QWidget *parent)
    : TTagDialog(context, header ? QStringLiteral("Table Header") : QStringLiteral("Table Data"), parent),
      m_tag(header ? QStringLiteral("TH") : QStringLiteral("TD"))
{
    setWindowIcon(style()->standardIcon(header ? QStyle::SP_TitleBarShadeButton : QStyle::SP_FileDialogDetailedView));
    txtCellWidth = new QLineEdit;
    txtCellWidth->setObjectName(QStringLiteral("txtCellWidth"));
    txtCellWidth->setMaxLength(4);
    txtCellHeight = new QLineEdit;
    txtCellHeight->setObjectName(QStringLiteral("txtCellHeight"));
    txtCellHeight->setMaxLength(4);
    cboCellAlign = NewAlignCombo(QStringLiteral("cboCellAlign"),
                                 {QStringLiteral("LEFT"), QStringLiteral("CENTER"), QStringLiteral("RIGHT")});
    cboCellVAlign =
        NewAlignCombo(QStringLiteral("cboCellVAlign"), {QStringLiteral("TOP"), QStringLiteral("MIDDLE"),
                                                        QStringLiteral("BOTTOM"), QStringLiteral("BASELINE")});
    chkNoWrap = new QCheckBox(QStringLiteral("NOWRAP"));
    chkNoWrap->setObjectName(QStringLiteral("chkNoWrap"));
    txtCellRowSpan = new TvqUpDownEdit(1, 99, 1, QStringLiteral("\\d"), 2);
    txtCellRowSpan->setObjectName(QStringLiteral("txtCellRowSpan"));
    txtCellColSpan = new TvqUpDownEdit(1, 99, 1, QStringLiteral("\\d"), 2);
    txtCellColSpan->setObjectName(QStringLiteral("txtCellColSpan"));
    vqColorBG = NewColorCombo(QStringLiteral("vqColorBG"));
    txtBkImage = new QLineEdit;
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Width:"), txtCellWidth);
    fields->addRow(QStringLiteral("&Height:"), txtCellHeight);
    fields->addRow(QStringLiteral("&Align:"), cboCellAlign);
    fields->addRow(QStringLiteral("&VAlign:"), cboCellVAlign);
    fields->addRow(chkNoWrap);
    fields->addRow(QStringLiteral("&Row Span:"), txtCellRowSpan);
    fields->addRow(QStringLiteral("Co&lumn Span:"), txtCellColSpan);
    fields->addRow(QStringLiteral("Background &Color:"), vqColorBG);
    QLayout *image = NewBackgroundImageRow(txtBkImage, context);
    fields->addRow(QStringLiteral("Background &Image:"), image);
    static_cast<QLabel *>(fields->labelForField(image))->setBuddy(txtBkImage);
    SetContent(fields);
}

void TfTableAttribute::ReadFields(const QString &tagText)
{
    vqColorBG->SetColorText(GetTagAttribute(tagText, QStringLiteral("BGCOLOR=")));
    txtCellWidth->setText(GetTagAttribute(tagText, QStringLiteral("WIDTH=")));
    txtCellHeight->setText(GetTagAttribute(tagText, QStringLiteral("HEIGHT=")));
    cboCellAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
    cboCellVAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("VALIGN=")));
    txtCellColSpan->SetText(GetTagAttribute(tagText, QStringLiteral("COLSPAN=")));
    txtCellRowSpan->SetText(GetTagAttribute(tagText, QStringLiteral("ROWSPAN=")));
    chkNoWrap->setChecked(tagText.toUpper().contains(QLatin1String(" NOWRAP")));
    txtBkImage->setText(GetTagAttribute(tagText, QStringLiteral("BACKGROUND=")));
}

QString TfTableAttribute::StartText() const
{
    QString tag = BaseTag(u'<' + m_tag + u'>');
    SetQuoted(tag, QStringLiteral("ALIGN="), cboCellAlign->currentText());
    SetQuoted(tag, QStringLiteral("VALIGN="), cboCellVAlign->currentText());
    SetQuoted(tag, QStringLiteral("BGCOLOR="), vqColorBG->ColorText());
    SetPlainAttribute(tag, QStringLiteral("COLSPAN="), txtCellColSpan->Text());
    SetPlainAttribute(tag, QStringLiteral("ROWSPAN="), txtCellRowSpan->Text());
    SetQuoted(tag, QStringLiteral("BACKGROUND="), txtBkImage->text());
    SetSizeAttribute(tag, QStringLiteral("WIDTH="), txtCellWidth->text());
    SetSizeAttribute(tag, QStringLiteral("HEIGHT="), txtCellHeight->text());
    const qsizetype noWrap = tag.toUpper().indexOf(QLatin1String(" NOWRAP"));
    if (chkNoWrap->isChecked() && noWrap < 0)
        tag.replace(tag.size() - 1, 1, CaseTag(QStringLiteral(" NOWRAP>")));
    else if (!chkNoWrap->isChecked() && noWrap >= 0)
        tag.remove(noWrap, 7);
    return tag;
}

QString TfTableAttribute::EndText() const
{
    return EditMode() ? QString() : CaseTag(QStringLiteral("</") + m_tag + u'>');
}
