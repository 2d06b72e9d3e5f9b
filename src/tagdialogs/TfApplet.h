// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The applet dialog (an APPLET tag with its code, codebase, name, title,
// alignment and size) and the parameter dialog (a PARAM tag), whose names
// are remembered: the last 20 distinct names, in the settings.

#include "TTagDialog.h"

class QComboBox;
class QLineEdit;

class TfApplet : public TTagDialog
{
    Q_OBJECT

public:
    TfApplet(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;
    QString EndText() const override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QLineEdit *txtCode;
    QLineEdit *txtCodeBase;
    QLineEdit *txtName;
    QLineEdit *txtTitle;
    QComboBox *cboAlign;
    QLineEdit *txtWidth;
    QLineEdit *txtHeight;
};

inline constexpr int ParamNamesLimit = 20;

// The remembered parameter names, sorted.
QStringList ReadParamNames();
// The names with one more: unchanged when it is empty or there already (in
// any case); otherwise, when the list is full, its last name makes room
// first. The result is sorted.
QStringList AddParamName(QStringList names, const QString &name);
// Replaces the remembered names.
void WriteParamNames(const QStringList &names);

class TfParameter : public TTagDialog
{
    Q_OBJECT

public:
    TfParameter(const TTagDialogContext &context, QWidget *parent);

    QString StartText() const override;

    // Remembers a new name, then closes.
    void accept() override;

protected:
    void ReadFields(const QString &tagText) override;

private:
    QComboBox *cboName;
    QLineEdit *txtValue;
};
