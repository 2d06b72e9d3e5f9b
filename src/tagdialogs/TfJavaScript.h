// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The JavaScript toolbar's two script generators: a message box call and a
// window.open call, each put at the caret as one line of script.

#include "TTagDialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class TfJS_MsgBox : public TTagDialog
{
    Q_OBJECT

public:
    TfJS_MsgBox(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &) override {}

private:
    QRadioButton *optAlert;
    QRadioButton *optConfirm;
    QLineEdit *txtText;
};

class TfJS_OpenWindow : public TTagDialog
{
    Q_OBJECT

public:
    TfJS_OpenWindow(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

protected:
    void ReadFields(const QString &) override {}

private:
    QLineEdit *txtURL;
    QLineEdit *txtTitle;
    QList<QCheckBox *> m_options;
    QLineEdit *txtWidth;
    QLineEdit *txtHeight;
};
