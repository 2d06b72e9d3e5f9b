// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Editor Settings" question: whether new editor settings go to all open
// documents or to the current one only.

#include <QDialog>

#include <optional>

class QRadioButton;

class TfApplyDocSettings : public QDialog
{
    Q_OBJECT

public:
    explicit TfApplyDocSettings(QWidget *parent = nullptr);

    // Shows the dialog modally: true for all open documents, false for the
    // current document only, nothing on Cancel.
    static std::optional<bool> AskAllDocuments(QWidget *parent = nullptr);

    QRadioButton *optAllDocuments;
    QRadioButton *optCurrentDocument;
};
