// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMultimedia.h"

#include "MessageService.h"
#include "ScriptText.h"
#include "TagText.h"
#include "TvqUpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

TMediaSourceDialog::TMediaSourceDialog(const TTagDialogContext &context, const QString &caption, const QString &filter,
                                       QWidget *parent)
    : TTagDialog(context, caption, parent), m_filter(filter)
{
    txtSource = new QLineEdit;
    txtSource->setObjectName(QStringLiteral("txtSource"));
    txtSource->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
}

QLayout *TMediaSourceDialog::SourceRow()
{
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnBrowse"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString file = TMessageService::Instance().GetOpenFileName(QStringLiteral("Select a File"),
                                                                         m_context.documentFolder, m_filter);
        if (!file.isEmpty())
            SetFile(file);
    });
    auto *row = new QHBoxLayout;
    row->addWidget(txtSource, 1);
    row->addWidget(browse);
    return row;
}

void TMediaSourceDialog::SetFile(const QString &file)
{
    txtSource->setText(RelativeReference(file));
}

TfBGSound::TfBGSound(const TTagDialogContext &context, QWidget *parent)
    : TMediaSourceDialog(context, QStringLiteral("Background Sound"),
                         QStringLiteral("WAV Files (*.WAV *.wav);;MIDI Files (*.MID* *.mid*);;AU Files (*.AU "
                                        "*.au);;All Files (*)"),
                         parent)
{
    txtLoop = new TvqUpDownEdit(0, 9999, 1, QStringLiteral("\\d"), 4);
    txtLoop->setObjectName(QStringLiteral("txtLoop"));
    txtLoop->SetText(QStringLiteral("0"));
    chkInfinite = new QCheckBox(QStringLiteral("&Infinite"));
    chkInfinite->setObjectName(QStringLiteral("chkInfinite"));
    connect(chkInfinite, &QCheckBox::toggled, txtLoop, &QWidget::setDisabled);
    chkInfinite->setChecked(true);
    // A loop count typed or stepped means a count, not forever.
    connect(txtLoop, &TvqUpDownEdit::Stepped, chkInfinite, [this] { chkInfinite->setChecked(false); });
    connect(txtLoop->findChild<QLineEdit *>(), &QLineEdit::textEdited, chkInfinite,
            [this] { chkInfinite->setChecked(false); });
    auto *loop = new QHBoxLayout;
    loop->addWidget(txtLoop);
    loop->addWidget(chkInfinite);
    loop->addStretch();
    auto *fields = new QFormLayout;
    fields->addRow(BuddyLabel(QStringLiteral("&Source:"), txtSource), SourceRow());
    fields->addRow(BuddyLabel(QStringLiteral("&Loop:"), txtLoop), loop);
    SetContent(fields);
}

void TfBGSound::ReadFields(const QString &tagText)
{
    txtSource->setText(GetTagAttribute(tagText, QStringLiteral("SRC=")));
    const bool infinite = tagText.toUpper().contains(QLatin1String("LOOP=INFINITE"));
    chkInfinite->setChecked(infinite);
    if (!infinite)
        txtLoop->SetText(GetTagAttribute(tagText, QStringLiteral("LOOP=")));
}

QString TfBGSound::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<BGSOUND>"));
    SetQuoted(tag, QStringLiteral("SRC="), AttributeText(txtSource->text()));
    SetUnquoted(tag, QStringLiteral("LOOP="),
                chkInfinite->isChecked() ? CaseTag(QStringLiteral("INFINITE")) : txtLoop->Text());
    return tag;
}

TfEmbed::TfEmbed(const TTagDialogContext &context, QWidget *parent)
    : TMediaSourceDialog(context, QStringLiteral("Embed"), QStringLiteral("All Files (*)"), parent)
{
    const auto number = [this](const char *name, const QString &text) {
        auto *edit = new QLineEdit(text);
        edit->setObjectName(QLatin1String(name));
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edit));
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 12);
        return edit;
    };
    txtWidth = number("txtWidth", QString());
    txtHeight = number("txtHeight", QString());
    txtBorder = number("txtBorder", QStringLiteral("0"));
    cboAlign = NewImageAlignCombo();
    auto *fields = new QFormLayout;
    fields->addRow(BuddyLabel(QStringLiteral("&Source:"), txtSource), SourceRow());
    fields->addRow(QStringLiteral("&Width:"), txtWidth);
    fields->addRow(QStringLiteral("&Height:"), txtHeight);
    fields->addRow(QStringLiteral("&Border:"), txtBorder);
    fields->addRow(QStringLiteral("&Align:"), cboAlign);
    SetContent(fields);
}

void TfEmbed::ReadFields(const QString &tagText)
{
    txtSource->setText(GetTagAttribute(tagText, QStringLiteral("SRC=")));
    txtWidth->setText(GetTagAttribute(tagText, QStringLiteral("WIDTH=")));
    txtHeight->setText(GetTagAttribute(tagText, QStringLiteral("HEIGHT=")));
    txtBorder->setText(GetTagAttribute(tagText, QStringLiteral("BORDER=")));
    cboAlign->setEditText(GetTagAttribute(tagText, QStringLiteral("ALIGN=")));
}

QString TfEmbed::StartText() const
{
    QString tag = BaseTag(QStringLiteral("<EMBED>"));
    SetQuoted(tag, QStringLiteral("SRC="), AttributeText(txtSource->text()));
    SetUnquoted(tag, QStringLiteral("WIDTH="), txtWidth->text());
    SetUnquoted(tag, QStringLiteral("HEIGHT="), txtHeight->text());
    SetUnquoted(tag, QStringLiteral("BORDER="), txtBorder->text());
    SetQuoted(tag, QStringLiteral("ALIGN="), AttributeText(cboAlign->currentText()));
    return tag;
}
