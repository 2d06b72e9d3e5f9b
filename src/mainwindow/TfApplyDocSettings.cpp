// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfApplyDocSettings.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TfApplyDocSettings::TfApplyDocSettings(QWidget *parent)
    : QDialog(parent), optAllDocuments(new QRadioButton(QStringLiteral("All open documents"))),
      optCurrentDocument(new QRadioButton(QStringLiteral("Current document only")))
{
    setObjectName(QStringLiteral("TfApplyDocSettings"));
    setWindowTitle(QStringLiteral("Editor Settings"));
    optAllDocuments->setObjectName(QStringLiteral("optAllDocuments"));
    optCurrentDocument->setObjectName(QStringLiteral("optCurrentDocument"));
    optCurrentDocument->setChecked(true);

    auto *group = new QGroupBox(QStringLiteral("Apply new editor settings to"));
    auto *options = new QVBoxLayout(group);
    options->addWidget(optAllDocuments);
    options->addWidget(optCurrentDocument);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

std::optional<bool> TfApplyDocSettings::AskAllDocuments(QWidget *parent)
{
    TfApplyDocSettings dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.optAllDocuments->isChecked();
}
