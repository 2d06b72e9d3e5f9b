// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The mailto dialog: a link that writes an e-mail to an address, around the
// selection. It remembers the last address.

#include "TTagDialog.h"

class QLineEdit;

class TfMailTo : public TTagDialog
{
    Q_OBJECT

public:
    TfMailTo(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

    void accept() override;

protected:
    void ReadFields(const QString &) override {}

private:
    QLineEdit *txtMailTo;
};
