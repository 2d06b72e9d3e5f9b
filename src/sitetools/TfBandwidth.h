// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Document Weight" window: the size of a document, of the local images
// it uses and of both together, with the download times at three modem
// speeds, and the list of the images weighed.

#include "DocumentWeight.h"

#include <QDialog>

class QLineEdit;
class QMenu;
class QTreeWidget;

class TfBandwidth : public QDialog
{
    Q_OBJECT

public:
    explicit TfBandwidth(const QString &path, QWidget *parent = nullptr);

    // Weighs the document again ("&Refresh").
    void ComputeDocumentWeight();
    // Flips the list's direction and sorts it by the column (0 the path,
    // 1 the size).
    void SortByColumn(int column);

    QLineEdit *edDocument, *edDependencies, *edTotal;
    QLineEdit *ed288, *ed144, *ed576;
    QTreeWidget *lvDependencies;
    QMenu *mnuPopup;

private:
    void FillList();

    QString m_path;
    TDocumentWeight m_weight;
    bool m_descending = true; // the list starts largest first
};

// The weight window for a file, modal: a missing file gives a warning, and
// the window comes after the one-time note that only local files count.
void ShowDocumentWeight(const QString &path, QWidget *parent);
