// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The marquee dialog: alignment, behaviour, direction, scrolling speed,
// spacing, size, loop and background of a MARQUEE, and for a new one the
// text that scrolls.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TvqColorCombo;
class TvqUpDownEdit;

class TfMarquee : public TTagDialog
{
    Q_OBJECT

public:
    TfMarquee(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QComboBox *cboAlign;
    QComboBox *cboBehavior;
    QComboBox *cboDirection;
    QLineEdit *txtScrollAmount;
    QLineEdit *txtScrollDelay;
    TvqUpDownEdit *txtHSpace;
    TvqUpDownEdit *txtVSpace;
    QComboBox *cboHeight;
    QComboBox *cboWidth;
    QLineEdit *txtLoop;
    QCheckBox *chkInfinite;
    QLabel *lblScrollingText;
    QLineEdit *txtScrollingText;
    TvqColorCombo *vqColorCombo;
};
