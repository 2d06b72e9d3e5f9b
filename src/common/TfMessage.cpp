// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfMessage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Room for the two buttons, or for OK alone.
constexpr int WidthWithCancel = 380;
constexpr int WidthWithoutCancel = 300;

} // namespace

TfMessage::TfMessage(const QString &caption, const QString &text, bool cancelButton, bool dontShowAgain,
                     QWidget *parent)
    : QDialog(parent), lblMessage(new QLabel(text)), chkShow(new QCheckBox(tr("Don't show this message again"))),
      btnOK(nullptr), btnCancel(nullptr)
{
    setWindowTitle(caption);
    // Notices are plain text; "<F2>" in one of them is no markup.
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->setWordWrap(true);
    chkShow->setChecked(dontShowAgain);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    btnOK = buttons->button(QDialogButtonBox::Ok);
    btnCancel = buttons->button(QDialogButtonBox::Cancel);
    btnCancel->setVisible(cancelButton);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addSpacing(6);
    layout->addWidget(chkShow);
    layout->addWidget(buttons);

    const int width = cancelButton ? WidthWithCancel : WidthWithoutCancel;
    setFixedSize(width, heightForWidth(width));
}

TMsgResult TfMessage::Execute()
{
    return exec() == Accepted || btnCancel->isHidden() ? TMsgResult::Ok : TMsgResult::Cancel;
}

bool TfMessage::DontShowAgain() const
{
    return chkShow->isChecked();
}
