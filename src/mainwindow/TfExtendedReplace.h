// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Extended Replace" window: replaces a text in the current document, the open documents, a folder or a project.
// Created once at start-up and kept for the whole run, so that it keeps its
// texts and options between uses.

#include <QDialog>

class TfExtendedReplace : public QDialog
{
    Q_OBJECT

public:
    explicit TfExtendedReplace(QWidget *parent = nullptr);
};
