// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The form element dialog: one INPUT, TEXTAREA or SELECT element of a form,
// of the kind the form toolbar's button chose (the dialog's list can change
// it). A select list comes with its OPTION lines.

#include "TTagDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class TvqUpDownEdit;

// In the order of the dialog's list.
enum TFormElementKind {
    feText,
    feTextArea,
    feHidden,
    feCheckbox,
    feRadio,
    feSelect,
    feSubmit,
    feReset,
};

class TfFormElement : public TTagDialog
{
    Q_OBJECT

public:
    TfFormElement(const TTagDialogContext &context, TFormElementKind kind, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &) override {}

private:
    // Empties the fields and shows those of the kind.
    void SetKind(int kind);
    TFormElementKind Kind() const;

    QComboBox *cboElement;
    QLineEdit *txtName;
    QLabel *lblValue;
    QLineEdit *txtValue;
    QLabel *lblVal1;
    TvqUpDownEdit *txtVal1;
    QLabel *lblVal2;
    TvqUpDownEdit *txtVal2;
};
