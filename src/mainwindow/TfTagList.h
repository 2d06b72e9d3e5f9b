// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The floating tag list: a window that stays on top with the pages "Tags"
// and "Attributes". Created once at start-up; the main window shows and
// hides it.

#include <QDialog>

class TfTagList : public QDialog
{
    Q_OBJECT

public:
    explicit TfTagList(QWidget *parent = nullptr);

signals:
    // The window was closed by the user.
    void Closed();

protected:
    void hideEvent(QHideEvent *event) override;
};
