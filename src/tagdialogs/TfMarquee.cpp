// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMarquee.h"

#include "ScriptText.h"
#include "TagText.h"
#include "TvqColorCombo.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

// The number fields take digits and "%".
const QString NumberCharacter = QStringLiteral("[\\d%]");

QComboBox *NewCombo(const char *name, const QStringList &items)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QStringList Percentages()
{
    QStringList items;
    for (int percent = 10; percent <= 100; percent += 10)
        items.append(QString::number(percent) + u'%');
    return items;
}

void AllowNumbers(QLineEdit *edit)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(NumberCharacter + u'*'), edit));
}

QLineEdit *NewNumber(const char *name, const QString &text = QString())
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(QLatin1String(name));
    AllowNumbers(edit);
    return edit;
}

TvqUpDownEdit *NewSpace(const char *name)
{
    auto *edit = new TvqUpDownEdit(0, 9999, 1, NumberCharacter, 5);
    edit->setObjectName(QLatin1String(name));
    edit->SetText(QStringLiteral("0"));
    return edit;
}

} // namespace

TfMarquee::TfMarquee(const TTagDialogContext &context, QWidget *parent)
    : TTagDialog(context, QStringLiteral("Marquee"), parent)
{
    cboAlign = NewCombo("cboAlign", {QStringLiteral("Bottom"), QStringLiteral("Middle"), QStringLiteral("Top")});
    cboBehavior =
        NewCombo("cboBehavior", {QStringLiteral("Scroll"), QStringLiteral("Slide"), QStringLiteral("Alternate")});
    cboDirection = NewCombo("cboDirection", {QStringLiteral("Left"), QStringLiteral("Right")});
    txtScrollAmount = NewNumber("txtScrollAmount");
    txtScrollDelay = NewNumber("txtScrollDelay");
    txtHSpace = NewSpace("txtHSpace");
    txtVSpace = NewSpace("txtVSpace");
    cboHeight = NewCombo("cboHeight", Percentages());
    cboWidth = NewCombo("cboWidth", Percentages());
    for (QComboBox *size : {cboHeight, cboWidth})
        AllowNumbers(size->lineEdit());
    txtLoop = NewNumber("txtLoop", QStringLiteral("0"));
    chkInfinite = new QCheckBox(QStringLiteral("&Infinite"));
    chkInfinite->setObjectName(QStringLiteral("chkInfinite"));
    connect(chkInfinite, &QCheckBox::toggled, txtLoop, &QWidget::setDisabled);
    chkInfinite->setChecked(true);
    txtScrollingText = new QLineEdit;
    txtScrollingText->setObjectName(QStringLiteral("txtScrollingText"));
    txtScrollingText->setMaxLength(1024);
    txtScrollingText->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    lblScrollingText = new QLabel(QStringLiteral("Scrolling &Text:"));
    lblScrollingText->setBuddy(txtScrollingText);
    vqColorCombo = NewColorCombo(QStringLiteral("vqColorCombo"));

    auto *loop = new QHBoxLayout;
    loop->addWidget(txtLoop);
    loop->addWidget(chkInfinite);
    auto *left = new QFormLayout;
    left->addRow(QStringLiteral("&Align:"), cboAlign);
    left->addRow(QStringLiteral("&Behavior:"), cboBehavior);
    left->addRow(QStringLiteral("&Direction:"), cboDirection);
    left->addRow(QStringLiteral("Scroll A&mount:"), txtScrollAmount);
    left->addRow(QStringLiteral("Scroll D&elay:"), txtScrollDelay);
    auto *right = new QFormLayout;
    right->addRow(QStringLiteral("&HSpace:"), txtHSpace);
    right->addRow(QStringLiteral("&VSpace:"), txtVSpace);
    right->addRow(QStringLiteral("Hei&ght:"), cboHeight);
    right->addRow(QStringLiteral("&Width:"), cboWidth);
    right->addRow(BuddyLabel(QStringLiteral("&Loop:"), txtLoop), loop);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto *fields = new QFormLayout;
    fields->addRow(columns);
    fields->addRow(QStringLiteral("Back&ground:"), vqColorCombo);
    fields->addRow(lblScrollingText, txtScrollingText);
    SetContent(fields);
    txtScrollingText->setFocus();
}

void TfMarquee::ReadFields(const QString &tagText)
{
    lblScrollingText->hide();
    txtScrollingText->hide();
    const auto read = [&tagText](const char *name) { return GetTagAttribute(tagText, QLatin1String(name)); };
    vqColorCombo->SetColorText(read("BGCOLOR="));
    cboAlign->setEditText(read("ALIGN="));
    cboHeight->setEditText(read("HEIGHT="));
    cboWidth->setEditText(read("WIDTH="));
    txtScrollAmount->setText(read("SCROLLAMOUNT="));
    cboBehavior->setEditText(read("BEHAVIOR="));
    txtScrollDelay->setText(read("SCROLLDELAY="));
    cboDirection->setEditText(read("DIRECTION="));
    txtHSpace->SetText(read("HSPACE="));
    txtVSpace->SetText(read("VSPACE="));
    const QString upper = tagText.toUpper();
    const bool infinite =
        upper.contains(QLatin1String("LOOP=INFINITE")) || upper.contains(QLatin1String("LOOP=\"INFINITE\""));
    chkInfinite->setChecked(infinite);
    if (!infinite)
        txtLoop->setText(read("LOOP="));
}

QString TfMarquee::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<MARQUEE>"));
    SetQuoted(tag, QStringLiteral("ALIGN="), AttributeText(cboAlign->currentText()));
    SetQuoted(tag, QStringLiteral("HEIGHT="), AttributeText(cboHeight->currentText()));
    SetQuoted(tag, QStringLiteral("WIDTH="), AttributeText(cboWidth->currentText()));
    SetQuoted(tag, QStringLiteral("BGCOLOR="), vqColorCombo->ColorText());
    SetUnquoted(tag, QStringLiteral("SCROLLAMOUNT="), txtScrollAmount->text());
    SetUnquoted(tag, QStringLiteral("BEHAVIOR="), cboBehavior->currentText());
    SetUnquoted(tag, QStringLiteral("SCROLLDELAY="), txtScrollDelay->text());
    SetQuoted(tag, QStringLiteral("DIRECTION="), AttributeText(cboDirection->currentText()));
    SetUnquoted(tag, QStringLiteral("HSPACE="), txtHSpace->Text());
    SetUnquoted(tag, QStringLiteral("VSPACE="), txtVSpace->Text());
    SetUnquoted(tag, QStringLiteral("LOOP="),
                chkInfinite->isChecked() ? CaseTag(QStringLiteral("INFINITE")) : txtLoop->text());
    return EditMode() ? tag : tag + txtScrollingText->text();
}

QString TfMarquee::EndText() const
{
    return EditMode() ? QString() : CaseTag(QStringLiteral("</MARQUEE>"));
}
