// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThumbnailCommands.h"

#include "TFileBrowser.h"
#include "TTagDialogCommands.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

TThumbnailCommands::TThumbnailCommands(TTagDialogCommands *tagDialogs, TFileBrowser *fileBrowser,
                                       const QString &thumbnailDir, QWidget *window)
    : QObject(window), m_window(window)
{
    DeleteThumbnailFiles(thumbnailDir);
    ThumbNB.Title = QStringLiteral("Thumbnail Viewer");
    ThumbNB.DataFileName = QStringLiteral("thumbnail.dat");
    ThumbNB.DataFileDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ThumbNB.PreviewsDir = thumbnailDir;
    // The tag and a line break after it, as one edit.
    ThumbNB.OnInsertImage = [tagDialogs](const QString &path) {
        tagDialogs->InsertFileTag(path, TFileKind::Image, QStringLiteral("\r\n"));
    };
    connect(fileBrowser, &TFileBrowser::ViewThumbnails, this, &TThumbnailCommands::mnuPI_ThumbnailsClick);
}

void TThumbnailCommands::mnuPI_ThumbnailsClick(const QString &folder)
{
    if (folder.isEmpty())
        return;
    ThumbNB.InitialDir = folder;
    ThumbNB.Execute(m_window);
}

void DeleteThumbnailFiles(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.THB")}, QDir::Files))
        QFile::remove(dir.filePath(name));
}
