// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame dialog: name, source, scrolling, border, margins, spacing and
// NORESIZE of one FRAME tag.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TvqUpDownEdit;

// A margin field of the frame dialogs: two digits, 0 to 99, "0" at first.
TvqUpDownEdit *NewMarginField(const char *name);

class TfFrame : public TTagDialog
{
    Q_OBJECT

public:
    TfFrame(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

    // Asks for an HTML document ("Select HTML Document") and gives the
    // reference to it from the document's folder; empty when cancelled. The
    // frame dialogs and the frame wizard browse for their sources this way.
    static QString BrowseHTMLDocument(const TTagDialogContext &context);

protected:
    void ReadFields(const QString &tagText) override;

private:
    QLineEdit *txtName;
    QLineEdit *txtSource;
    QComboBox *cboScrolling;
    QComboBox *cboBorder;
    TvqUpDownEdit *txtMarginHeight;
    TvqUpDownEdit *txtMarginWidth;
    TvqUpDownEdit *txtSpacing;
    QCheckBox *chkNoResize;
};
