// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Recover Unsaved Work" window: the copies a crashed program left, each
// with its document's name, the time of the copy and whether its file on
// disk changed since. The user restores, compares or discards each; the
// window closes when none is left.

#include "RecoveryCopy.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTreeWidget;

// The first line (0-based) at which two texts differ; -1 when they are equal.
int FirstDifferentLine(const QStringList &a, const QStringList &b);

class TfRecoverWork : public QDialog
{
    Q_OBJECT

public:
    using TAction = std::function<void(const TLeftCopy &)>;
    TfRecoverWork(const QList<TLeftCopy> &copies, TAction restore, TAction discard, QWidget *parent = nullptr);

    // The rows as shown: name, time, state of the file on disk.
    QStringList RowTexts(int row) const;
    int RowCount() const { return int(m_copies.size()); }
    void SelectRow(int row);
    // What the buttons do to the selected row.
    void RestoreSelected();
    void DiscardSelected();
    // The copy beside its file on disk, in a window of its own.
    void CompareSelected();

private:
    void Take(const TAction &action);
    void UpdateButtons();

    QList<TLeftCopy> m_copies;
    TAction m_restore;
    TAction m_discard;
    QTreeWidget *m_list;
    QPushButton *m_restoreButton;
    QPushButton *m_compareButton;
    QPushButton *m_discardButton;
};
