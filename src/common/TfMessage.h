// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The box of the one-time notices: a text, the box "Don't show this message
// again", OK and, for notices that ask, Cancel. Its width is fixed; its
// height follows the text.

#include "MessageService.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class TfMessage : public QDialog
{
    Q_OBJECT

public:
    TfMessage(const QString &caption, const QString &text, bool cancelButton, bool dontShowAgain,
              QWidget *parent = nullptr);

    // Shows the box modally. Ok or Cancel as pressed; closing the window
    // counts as Cancel when there is a Cancel button, else as Ok.
    TMsgResult Execute();
    // Whether "Don't show this message again" is checked.
    bool DontShowAgain() const;

    QLabel *lblMessage;
    QCheckBox *chkShow;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};
