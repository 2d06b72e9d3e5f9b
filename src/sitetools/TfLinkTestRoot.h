// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog that asks for the root that relative links resolve against: a
// web address or a local folder, from a history of the last ten, optionally
// kept as the default that later verifications use without asking.

#include <QDialog>

class QCheckBox;
class QComboBox;

class TfLinkTestRoot : public QDialog
{
    Q_OBJECT

public:
    explicit TfLinkTestRoot(QWidget *parent = nullptr);

    // The root as the user typed it, one trailing separator removed; empty
    // when cancelled or left empty.
    static QString Ask(QWidget *parent);

    // The stored history, most recent first.
    static QStringList RootHistory();

    QComboBox *cboRoot;
    QCheckBox *chkDefault;

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
