// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table dialog: spacing, padding, width, border, alignment and
// background of a TABLE tag.

#include "TTagDialog.h"

class QComboBox;
class QLayout;
class QLineEdit;
class TvqColorCombo;
class TvqUpDownEdit;

class TfTable : public TTagDialog
{
    Q_OBJECT

public:
    TfTable(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    TvqUpDownEdit *txtPadding;
    TvqUpDownEdit *txtSpacing;
    TvqUpDownEdit *txtWidth;
    TvqUpDownEdit *txtBorder;
    QComboBox *cboAlign;
    QComboBox *cboVAlign;
    TvqColorCombo *vqColorBG;
    QLineEdit *txtBkImage;
};

// The parts the table dialogs share: an editable alignment list that starts
// empty, and a background image field with its browse button, which turns
// the picked file into a reference relative to the document.
QComboBox *NewAlignCombo(const QString &objectName, const QStringList &items);
QLayout *NewBackgroundImageRow(QLineEdit *field, const TTagDialogContext &context);
