// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The quick start dialog: the skeleton of a page (document type, HTML and
// HEAD with a title, and a BODY tag from the body dialog) written around the
// selection.

#include "TTagDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class TfQuickStart : public TTagDialog
{
    Q_OBJECT

public:
    TfQuickStart(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

    // With the body box ticked, first asks the body dialog for the BODY tag;
    // cancelling it keeps this dialog open.
    void accept() override;

protected:
    void ReadFields(const QString &) override {}

private:
    QLineEdit *txtTitle;
    QComboBox *cboDocType;
    QCheckBox *chkBody;
    QString m_bodyTag;
};
