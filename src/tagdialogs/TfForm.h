// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The form dialog: ACTION, METHOD and ENCTYPE of a FORM tag.

#include "TTagDialog.h"

class QComboBox;
class QLineEdit;

class TfForm : public TTagDialog
{
    Q_OBJECT

public:
    TfForm(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QLineEdit *txtAction;
    QComboBox *cboMethod;
    QComboBox *cboEnctype;
};
