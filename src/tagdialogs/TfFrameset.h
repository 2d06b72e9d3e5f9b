// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frameset dialog: the COLS and ROWS of one FRAMESET tag.

#include "TTagDialog.h"

class QLineEdit;

class TfFrameset : public TTagDialog
{
    Q_OBJECT

public:
    TfFrameset(const TTagDialogContext &context, QWidget *parent);

    // A new frameset starts a line of its own and ends on one.
    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QLineEdit *txtCols;
    QLineEdit *txtRows;
};
