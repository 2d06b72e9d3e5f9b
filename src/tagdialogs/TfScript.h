// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The script dialog: the language and source of a SCRIPT tag. A new script
// comes with its comment lines and end tag.

#include "TTagDialog.h"

class QComboBox;
class QLineEdit;

class TfScript : public TTagDialog
{
    Q_OBJECT

public:
    TfScript(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

    void accept() override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    void btnBrowseClick();

    QComboBox *cboLanguage;
    QLineEdit *txtSource;
};
