// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfFont.h"

#include "TagText.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

TfFont::TfFont(const TTagDialogContext &context, bool baseFont, QWidget *parent)
    : TTagDialog(context, baseFont ? QStringLiteral("Base Font") : QStringLiteral("Font"), parent), m_baseFont(baseFont)
{
    imgFont = new QLabel(QStringLiteral("Aa"));
    QFont sample = font();
    sample.setFamily(QStringLiteral("Serif"));
    sample.setPointSizeF(sample.pointSizeF() * 2);
    sample.setBold(true);
    imgFont->setFont(sample);
    if (baseFont)
        imgFont->hide();
    cboSize = new QComboBox;
    cboSize->setObjectName(QStringLiteral("cboSize"));
    cboSize->addItems({QString(), QStringLiteral("+"), QStringLiteral("-")});
    txtSize = new TvqUpDownEdit(1, 7, 1, QStringLiteral("[1-7]"), 3);
    txtSize->setObjectName(QStringLiteral("txtSize"));
    cboFace = new QComboBox;
    cboFace->setObjectName(QStringLiteral("cboFace"));
    cboFace->setEditable(true);
    cboFace->setInsertPolicy(QComboBox::NoInsert);
    QStringList faces = QFontDatabase::families();
    faces.sort(Qt::CaseInsensitive);
    cboFace->addItems(faces);
    cboFace->setCurrentIndex(-1);
    cboFace->setMinimumContentsLength(20);
    vqColorCombo = NewColorCombo(QStringLiteral("vqColorCombo"));

    auto *size = new QHBoxLayout;
    size->addWidget(cboSize);
    size->addWidget(txtSize);
    size->addStretch();
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Size:"), size);
    form->addRow(QStringLiteral("F&ace:"), cboFace);
    form->addRow(QStringLiteral("C&olor:"), vqColorCombo);
    static_cast<QLabel *>(form->labelForField(size))->setBuddy(cboSize);
    auto *fields = new QHBoxLayout;
    fields->addWidget(imgFont, 0, Qt::AlignTop);
    fields->addLayout(form);
    SetContent(fields);
}

void TfFont::ReadFields(const QString &tagText)
{
    QString size = GetTagAttribute(tagText, QStringLiteral("SIZE="));
    int sign = 0;
    for (const int candidate : {1, 2}) {
        const qsizetype at = size.indexOf(cboSize->itemText(candidate));
        if (at >= 0) {
            sign = candidate;
            size.remove(at, 1);
            break;
        }
    }
    cboSize->setCurrentIndex(sign);
    txtSize->SetText(size);
    cboFace->setEditText(GetTagAttribute(tagText, QStringLiteral("FACE=")));
    vqColorCombo->SetColorText(GetTagAttribute(tagText, QStringLiteral("COLOR=")));
}

QString TfFont::StartText() const
{
    QString tag = BaseTag(m_baseFont ? QStringLiteral("<BASEFONT>") : QStringLiteral("<FONT>"));
    SetQuoted(tag, QStringLiteral("SIZE="), cboSize->currentText() + txtSize->Text());
    SetQuoted(tag, QStringLiteral("FACE="), cboFace->currentText());
    SetQuoted(tag, QStringLiteral("COLOR="), vqColorCombo->ColorText());
    return tag;
}

QString TfFont::EndText() const
{
    return EditMode() || m_baseFont ? QString() : CaseTag(QStringLiteral("</FONT>"));
}
