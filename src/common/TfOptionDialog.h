// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small dialog that offers two options with OK and Cancel: the option
// dialogs of the selection commands ("Convert Table", "Convert Tags",
// "Replace Extended Characters") and the question where new editor settings
// go ("Editor Settings").

#include <QDialog>

#include <optional>

class QRadioButton;

// One of the option dialogs: its name, caption, and its two options' names
// and labels.
struct TOptionDialogSpec
{
    const char *name;
    const char *caption;
    const char *firstName;
    const char *first;
    const char *secondName;
    const char *second;
    const char *group = nullptr; // a frame around the options, with this caption
    bool secondChosen = false;   // the second option is chosen at the start
};

extern const TOptionDialogSpec ConvertTableDialog;
extern const TOptionDialogSpec ApplyDocSettingsDialog;
extern const TOptionDialogSpec ConvertTagsDialog;
extern const TOptionDialogSpec ReplaceExtCharDialog;

class TfOptionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TfOptionDialog(const TOptionDialogSpec &spec, QWidget *parent = nullptr);

    QRadioButton *FirstOption() const { return m_first; }
    QRadioButton *SecondOption() const { return m_second; }

    // Shows the dialog; true when the first option was chosen, nothing on
    // Cancel.
    static std::optional<bool> Choose(const TOptionDialogSpec &spec, QWidget *parent);

private:
    QRadioButton *m_first;
    QRadioButton *m_second;
};
