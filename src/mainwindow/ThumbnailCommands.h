// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "&View Thumbnails" of the file pane: the thumbnail page for the folder it
// shows, whose "Insert <IMG> Tag" goes through the image dialog. Thumbnail
// files last for one run of the program: those of the last run are deleted
// when this starts.

#include "TfThumbnail.h"

#include <QObject>

class TFileBrowser;
class TTagDialogCommands;

class TThumbnailCommands : public QObject
{
    Q_OBJECT

public:
    TThumbnailCommands(TTagDialogCommands *tagDialogs, TFileBrowser *fileBrowser, const QString &thumbnailDir,
                       QWidget *window);

    // Nothing for an empty folder.
    void mnuPI_ThumbnailsClick(const QString &folder);

    TThumbPreviewNB ThumbNB;

private:
    QWidget *m_window;
};

// Deletes every "*.THB" file of the folder.
void DeleteThumbnailFiles(const QString &folder);
