// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The list editor: an ordered or unordered list with one item per grid row.
// It only makes new lists.

#include "TTagDialog.h"

class QRadioButton;
class QTableWidget;
class TvqUpDownEdit;

class TfList : public TTagDialog
{
    Q_OBJECT

public:
    TfList(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &) override {}

private:
    void txtRowsChange();
    void btnClearClick();

    QRadioButton *optOrdered;
    QRadioButton *optUnordered;
    QTableWidget *grdList;
    TvqUpDownEdit *txtRows;
};
