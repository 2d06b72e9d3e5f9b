// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table cell dialog, for a data cell (TD) or a header cell (TH): size,
// alignment, wrapping, spans and background of the cell's tag.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TvqColorCombo;
class TvqUpDownEdit;

class TfTableAttribute : public TTagDialog
{
    Q_OBJECT

public:
    TfTableAttribute(const TTagDialogContext &context, bool header, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    const QString m_tag; // "TD" or "TH"
    QLineEdit *txtCellWidth;
    QLineEdit *txtCellHeight;
    QComboBox *cboCellAlign;
    QComboBox *cboCellVAlign;
    QCheckBox *chkNoWrap;
    TvqUpDownEdit *txtCellRowSpan;
    TvqUpDownEdit *txtCellColSpan;
    TvqColorCombo *vqColorBG;
    QLineEdit *txtBkImage;
};
