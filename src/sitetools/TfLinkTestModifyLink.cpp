// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfLinkTestModifyLink.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

TfLinkTestModifyLink::TfLinkTestModifyLink(const QString &source, const QString &link, const QString &fullURL,
                                           QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfLinkTestModifyLink"));
    setWindowTitle(QStringLiteral("Modify Link"));
    const auto field = [this](const char *name, const QString &text, bool readOnly) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(readOnly);
        edit->setMinimumWidth(420);
        return edit;
    };
    edtSource = field("edtSource", source, true);
    edtOriginal = field("edtOriginal", link, true);
    edtChangeTo = field("edtChangeTo", link, false);
    edtFullURL = field("edtFullURL", fullURL, true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Source:"), edtSource);
    layout->addRow(QStringLiteral("Original Link:"), edtOriginal);
    layout->addRow(QStringLiteral("&Change To:"), edtChangeTo);
    layout->addRow(QStringLiteral("Full URL:"), edtFullURL);
    layout->addRow(buttons);
    edtChangeTo->setFocus();
}
