// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The results of an extended find or replace: a row per file with its path,
// the matches and a message. A click on a column header sorts by that column,
// the direction flipping with every click. In find mode a row's file can be
// opened in the editor from the pop-up menu.

#include "ExtendedSearch.h"

#include <QDialog>

#include <functional>

class QAction;
class QTreeWidget;

class TfReplaceResults : public QDialog
{
    Q_OBJECT

public:
    enum TColumn { rcFile, rcMatches, rcMessage };
    using TOpenFile = std::function<void(const QString &path)>;

    // In find mode the pop-up menu opens a row's file through openFile.
    TfReplaceResults(bool findMode, TOpenFile openFile, QWidget *parent = nullptr);

    void AddRow(const TExtendedSearchRow &row);
    void SortBy(int column);

    QTreeWidget *lvwResults;
    QAction *mnuOpen = nullptr;

private:
    TOpenFile m_openFile;
    bool m_ascending = false;
};
