// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The comment dialog: each line of its memo becomes one comment line.

#include "TTagDialog.h"

class QPlainTextEdit;

class TfComment : public TTagDialog
{
    Q_OBJECT

public:
    TfComment(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &tagText) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPlainTextEdit *memComment;
};
