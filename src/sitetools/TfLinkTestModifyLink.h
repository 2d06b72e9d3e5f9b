// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog that changes one link: the document, the link as written, the
// new text to edit and the full address of the link.

#include <QDialog>

class QLineEdit;

class TfLinkTestModifyLink : public QDialog
{
    Q_OBJECT

public:
    TfLinkTestModifyLink(const QString &source, const QString &link, const QString &fullURL, QWidget *parent);

    QLineEdit *edtSource;
    QLineEdit *edtOriginal;
    QLineEdit *edtChangeTo;
    QLineEdit *edtFullURL;
};
