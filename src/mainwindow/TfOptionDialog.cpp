// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfOptionDialog.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

TfOptionDialog::TfOptionDialog(const QString &caption, const QString &first, const QString &second, QWidget *parent)
    : QDialog(parent), m_first(new QRadioButton(first)), m_second(new QRadioButton(second))
{
    setWindowTitle(caption);
    m_first->setChecked(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_first);
    layout->addWidget(m_second);
    layout->addWidget(buttons);
}

std::optional<bool> TfOptionDialog::Choose(const QString &caption, const QString &first, const QString &second,
                                           QWidget *parent)
{
    TfOptionDialog dialog(caption, first, second, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.FirstOption()->isChecked();
}
