// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bookmark picker of the anchor dialog: the addresses of a bookmark file
// in the Netscape bookmark format, as browsers export their bookmarks.

#include <QDialog>

class QListWidget;

// Every address of a bookmark file's text: what stands between
// <DT><A HREF=" (in this case) and the next double quote.
QStringList BookmarkURLs(const QString &fileText);

class TfBookmarks : public QDialog
{
    Q_OBJECT

public:
    // Reads the file; one that cannot be read is reported and lists nothing.
    TfBookmarks(const QString &bookmarkFile, QWidget *parent);

    QString SelectedURL() const;

private:
    QListWidget *lstBookmarks;
};
