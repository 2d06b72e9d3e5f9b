// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A report-style list of files: one row per file with its shown name and
// the columns Type, Size, Description, Created and Modified. Each row keeps
// the file's full path. Used by the Current Documents dialog.

#include <QTreeWidget>

// The list's columns, in order.
enum TFileColumn { fcName, fcType, fcSize, fcDescription, fcCreated, fcModified };

// A file size as the list shows it: whole kilobytes rounded up and "KB",
// e.g. "12KB"; "0KB" for an empty file.
QString FileSizeText(qint64 size);

class TvqFileView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TvqFileView(QWidget *parent = nullptr);

    // Adds a row showing shownName for the file at path. A path that names
    // no file (an untitled document's empty one) leaves the other columns
    // blank.
    void AddFile(const QString &path, const QString &shownName);
    // The full path of a row; empty for a row out of range.
    QString FilePath(int row) const;
    // Removes every row.
    void Clear() { clear(); }

    // The row of the current item when it is selected, else -1.
    int SelectedRow() const;
    // Makes the row the current and only selected one and shows it.
    void SelectRow(int row);
};
