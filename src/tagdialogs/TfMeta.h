// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The META editor: HTTP-EQUIV, CONTENT, NAME and URL of a META tag.

#include "TTagDialog.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class TfMeta : public TTagDialog
{
    Q_OBJECT

public:
    TfMeta(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QComboBox *cboEquiv;
    QPlainTextEdit *memContent;
    QComboBox *cboName;
    QLineEdit *txtURL;
};
