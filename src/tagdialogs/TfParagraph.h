// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The paragraph dialog: the alignment of a P tag, opened on an existing one.

#include "TTagDialog.h"

class QComboBox;

class TfParagraph : public TTagDialog
{
    Q_OBJECT

public:
    TfParagraph(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QComboBox *cboAlign;
};
