// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfStyleTagSelect.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

TfStyleTagSelect::TfStyleTagSelect(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select a Style Tag"));
    m_options = new QButtonGroup(this);
    auto *layout = new QVBoxLayout(this);
    const char *captions[] = {"<STYLE>..</STYLE>", "<SPAN STYLE>..</SPAN>", "STYLE=", "{ }"};
    for (int wrapping = swStyleBlock; wrapping <= swRuleBody; ++wrapping) {
        auto *option = new QRadioButton(QLatin1String(captions[wrapping]));
        option->setObjectName(QStringLiteral("optStyleTag%1").arg(wrapping));
        option->setChecked(wrapping == swStyleBlock);
        m_options->addButton(option, wrapping);
        layout->addWidget(option);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Wide enough for the whole caption.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 140);
}

TStyleWrapping TfStyleTagSelect::Wrapping() const
{
    return TStyleWrapping(m_options->checkedId());
}
