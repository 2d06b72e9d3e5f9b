// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfLinkTestNumber.h"

#include "LinkCheck.h"
#include "RegistryKeys.h"
#include "SettingsStore.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// The defaults of the stored settings.
const TLinkCheckSettings Defaults;
} // namespace

TfLinkTestNumber::TfLinkTestNumber(const QString &caption, const QString &before, const QString &after, int value,
                                   bool upDown, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    auto *row = new QHBoxLayout;
    auto *label = new QLabel(before, this);
    row->addWidget(label);
    if (upDown) {
        auto *spin = new QSpinBox(this);
        spin->setRange(5, 300);
        spin->setSingleStep(5);
        spin->setValue(value);
        edtValue = spin->findChild<QLineEdit *>();
        row->addWidget(spin);
        label->setBuddy(spin);
    } else {
        edtValue = new QLineEdit(QString::number(value), this);
        edtValue->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), edtValue));
        row->addWidget(edtValue);
        label->setBuddy(edtValue);
    }
    edtValue->setObjectName(QStringLiteral("edtValue"));
    if (!after.isEmpty())
        row->addWidget(new QLabel(after, this));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

std::optional<int> TfLinkTestNumber::Run(int defaultValue)
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    bool isNumber = false;
    const int value = edtValue->text().toInt(&isNumber);
    return isNumber ? value : defaultValue;
}

std::optional<int> TfLinkTestNumber::AskTimeOut(QWidget *parent)
{
    TfLinkTestNumber dialog(QStringLiteral("Set Timeout"), QStringLiteral("Timeout after"), QStringLiteral("seconds"),
                            TLinkCheckSettings::Stored().timeOut, true, parent);
    dialog.setObjectName(QStringLiteral("TfLinkTestTimeout"));
    const std::optional<int> value = dialog.Run(Defaults.timeOut);
    if (value)
        WriteRegValue(LinkVerifyKeys::LinkVerify, LinkVerifyKeys::Timeout, *value);
    return value;
}

std::optional<int> TfLinkTestNumber::AskPort(QWidget *parent)
{
    TfLinkTestNumber dialog(QStringLiteral("Set Port"), QStringLiteral("HTTP &Port"), QString(),
                            TLinkCheckSettings::Stored().port, false, parent);
    dialog.setObjectName(QStringLiteral("TfLinkTestPort"));
    const std::optional<int> value = dialog.Run(Defaults.port);
    if (value)
        WriteRegValue(RegistryKeys::Velicort, LinkVerifyKeys::Port, *value);
    return value;
}
