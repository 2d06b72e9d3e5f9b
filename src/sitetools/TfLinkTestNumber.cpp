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
constexpr int DefaultTimeOut = 30;
constexpr int DefaultPort = 80;
const QString TimeoutName = QStringLiteral("Timeout");
const QString PortName = QStringLiteral("HTTPPort");

int StoredNumber(const QString &key, const QString &name, int defaultValue)
{
    bool isNumber = false;
    const int value = ReadRegValue(key, name, defaultValue).toInt(&isNumber);
    return isNumber ? value : defaultValue;
}
} // namespace

int TfLinkTestNumber::StoredTimeOut()
{
    return StoredNumber(LinkVerifyKeys::LinkVerify, TimeoutName, DefaultTimeOut);
}

int TfLinkTestNumber::StoredPort()
{
    return StoredNumber(RegistryKeys::Velicort, PortName, DefaultPort);
}

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
                            StoredTimeOut(), true, parent);
    dialog.setObjectName(QStringLiteral("TfLinkTestTimeout"));
    const std::optional<int> value = dialog.Run(DefaultTimeOut);
    if (value)
        WriteRegValue(LinkVerifyKeys::LinkVerify, TimeoutName, *value);
    return value;
}

std::optional<int> TfLinkTestNumber::AskPort(QWidget *parent)
{
    TfLinkTestNumber dialog(QStringLiteral("Set Port"), QStringLiteral("HTTP &Port"), QString(), StoredPort(), false,
                            parent);
    dialog.setObjectName(QStringLiteral("TfLinkTestPort"));
    const std::optional<int> value = dialog.Run(DefaultPort);
    if (value)
        WriteRegValue(RegistryKeys::Velicort, PortName, *value);
    return value;
}
