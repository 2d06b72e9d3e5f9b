// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The style-tag chooser: which of the four wrappings the style editor
// inserts its declarations in.

#include "StyleObject.h"

#include <QDialog>

class QButtonGroup;

class TfStyleTagSelect : public QDialog
{
    Q_OBJECT

public:
    explicit TfStyleTagSelect(QWidget *parent);

    TStyleWrapping Wrapping() const;

private:
    QButtonGroup *m_options;
};
