// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small dialogs that ask the verifier's time-out ("Set Timeout", 5 to 300
// seconds in steps of 5) and its web port ("Set Port"); each takes digits
// only and stores what was confirmed.

#include <QDialog>

class QLineEdit;
class QSpinBox;

class TfLinkTestNumber : public QDialog
{
    Q_OBJECT

public:
    // The new value, or nothing when cancelled; a text that is no number
    // gives the default (30 seconds, port 80).
    static std::optional<int> AskTimeOut(QWidget *parent);
    static std::optional<int> AskPort(QWidget *parent);

    QLineEdit *edtValue;

private:
    TfLinkTestNumber(const QString &caption, const QString &before, const QString &after, int value, bool upDown,
                     QWidget *parent);
    std::optional<int> Run(int defaultValue);
};
