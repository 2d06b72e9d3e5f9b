// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfOptionDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

const TOptionDialogSpec ConvertTableDialog = {
    "TfConvertTable", "Convert Table",
    "optRows",        "Convert each line as a separate row",
    "optColumns",     "Convert each line as a separate column",
};
const TOptionDialogSpec ConvertTagsDialog = {
    "TfConvertTags", "Convert Tags",
    "optUCase",      "Convert all tags to uppercase",
    "optLCase",      "Convert all tags to lowercase",
};
const TOptionDialogSpec ReplaceExtCharDialog = {
    "TfReplaceExtChar",
    "Replace Extended Characters",
    "opt1",
    "Replace extended characters with their HTML equivalents (ex: replace \"\u00c1\" with \"&Aacute;\")",
    "opt2",
    "Replace HTML tags with extended characters (ex: replace \"&Aacute;\" with \"\u00c1\")",
};

const TOptionDialogSpec ApplyDocSettingsDialog = {
    "TfApplyDocSettings",
    "Editor Settings",
    "optAllDocuments",
    "All open documents",
    "optCurrentDocument",
    "Current document only",
    "Apply new editor settings to",
    true,
};

TfOptionDialog::TfOptionDialog(const TOptionDialogSpec &spec, QWidget *parent)
    : QDialog(parent), m_first(new QRadioButton(QString::fromUtf8(spec.first))),
      m_second(new QRadioButton(QString::fromUtf8(spec.second)))
{
    setObjectName(QLatin1String(spec.name));
    setWindowTitle(QString::fromUtf8(spec.caption));
    m_first->setObjectName(QLatin1String(spec.firstName));
    m_second->setObjectName(QLatin1String(spec.secondName));
    (spec.secondChosen ? m_second : m_first)->setChecked(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    QVBoxLayout *options = layout;
    if (spec.group) {
        auto *group = new QGroupBox(QString::fromUtf8(spec.group));
        options = new QVBoxLayout(group);
        layout->addWidget(group);
    }
    options->addWidget(m_first);
    options->addWidget(m_second);
    layout->addWidget(buttons);
    // A choice, not a window to resize.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<bool> TfOptionDialog::Choose(const TOptionDialogSpec &spec, QWidget *parent)
{
    TfOptionDialog dialog(spec, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.FirstOption()->isChecked();
}
