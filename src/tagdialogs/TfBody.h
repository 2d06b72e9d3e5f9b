// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The body dialog: background image, the five page colours with a preview
// of them, margins and the fixed background of a BODY tag.

#include "TTagDialog.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class TvqColorCombo;

class TfBody : public TTagDialog
{
    Q_OBJECT

public:
    TfBody(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    void vqColorColorSelect();
    void RefreshImage();
    void btnImageClick();

    QLineEdit *txtImage;
    TvqColorCombo *vqColorBG;
    TvqColorCombo *vqColorText;
    TvqColorCombo *vqColorLink;
    TvqColorCombo *vqColorVLink;
    TvqColorCombo *vqColorALink;
    QLineEdit *txtLeftMargin;
    QLineEdit *txtTopMargin;
    QCheckBox *chkFixedBG;
    QFrame *pnlPreview;
    QLabel *lblSample[4];
    QLabel *imgPreview;
};
