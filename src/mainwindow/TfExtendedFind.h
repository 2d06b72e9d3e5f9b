// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Extended Find" window: counts a text in every HTML document of a folder or a project.
// Created once at start-up and kept for the whole run, so that it keeps its
// texts and options between uses.

#include <QDialog>

class TfExtendedFind : public QDialog
{
    Q_OBJECT

public:
    explicit TfExtendedFind(QWidget *parent = nullptr);
};
