// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table row dialog: alignment and background colour of a TR tag.

#include "TTagDialog.h"

class QComboBox;
class TvqColorCombo;

class TfTableRow : public TTagDialog
{
    Q_OBJECT

public:
    TfTableRow(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QComboBox *cboAlign;
    QComboBox *cboVAlign;
    TvqColorCombo *vqColorBG;
};
