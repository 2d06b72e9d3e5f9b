// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The font dialog: size (with its sign), face and colour of a FONT tag, or,
// in base-font mode, of a BASEFONT tag.

#include "TTagDialog.h"

class QComboBox;
class QLabel;
class TvqColorCombo;
class TvqUpDownEdit;

class TfFont : public TTagDialog
{
    Q_OBJECT

public:
    TfFont(const TTagDialogContext &context, bool baseFont, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    bool m_baseFont;
    QLabel *imgFont;
    QComboBox *cboSize;
    TvqUpDownEdit *txtSize;
    QComboBox *cboFace;
    TvqColorCombo *vqColorCombo;
};
