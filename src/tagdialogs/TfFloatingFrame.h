// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The floating frame dialog: the attributes of one IFRAME tag.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TvqUpDownEdit;

class TfFloatingFrame : public TTagDialog
{
    Q_OBJECT

public:
    TfFloatingFrame(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QLineEdit *txtName;
    QLineEdit *txtSource;
    QLineEdit *txtWidth;
    QLineEdit *txtHeight;
    TvqUpDownEdit *txtMarginHeight;
    TvqUpDownEdit *txtMarginWidth;
    QComboBox *cboAlign;
    QComboBox *cboScrolling;
    QCheckBox *chkBorder;
};
