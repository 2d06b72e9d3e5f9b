// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small dialog that offers two options, the first chosen at the start,
// with OK and Cancel: the option dialogs of the selection commands
// ("Convert Table", "Convert Tags", "Replace Extended Characters").

#include <QDialog>

#include <optional>

class QRadioButton;

class TfOptionDialog : public QDialog
{
    Q_OBJECT

public:
    TfOptionDialog(const QString &caption, const QString &first, const QString &second, QWidget *parent = nullptr);

    QRadioButton *FirstOption() const { return m_first; }
    QRadioButton *SecondOption() const { return m_second; }

    // Shows the dialog; true when the first option was chosen, nothing on
    // Cancel.
    static std::optional<bool> Choose(const QString &caption, const QString &first, const QString &second,
                                      QWidget *parent);

private:
    QRadioButton *m_first;
    QRadioButton *m_second;
};
