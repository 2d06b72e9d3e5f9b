// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The horizontal rule dialog: alignment, size, width, shading and colour of
// an HR tag, written wholly in the tag case.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class TvqColorCombo;
class TvqUpDownEdit;

class TfHorzRule : public TTagDialog
{
    Q_OBJECT

public:
    TfHorzRule(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QComboBox *cboAlign;
    TvqUpDownEdit *txtSize;
    TvqUpDownEdit *txtWidth;
    QCheckBox *chkNoShade;
    TvqColorCombo *vqColorCombo;
};
