// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The thumbnail page: small pictures of the images of a folder in a grid,
// found again through the thumbnail index or made afresh, from which an
// image tag is inserted or an image's properties shown.

#include "Thumbnails.h"

#include <QDialog>
#include <QHash>
#include <QPixmap>

#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableWidget;

class TfThumbnail : public QDialog
{
    Q_OBJECT

public:
    TfThumbnail(const QString &folder, const QString &indexFile, const QString &previewsDir, QWidget *parent = nullptr);
    ~TfThumbnail() override;

    // Shows the folder's thumbnails: those in the index first, then the
    // rest as they are made. Runs once, when the window first shows.
    void Load();
    bool Running() const { return m_maker != nullptr; }

    // The image last pointed at, or empty.
    QString CurrentFile() const { return m_currentFile; }
    void SetCurrentCell(int row, int column);
    // The names in the grid, in cell order.
    QStringList Names() const;
    bool HasPicture(const QString &name) const { return m_pictureOf.contains(name); }
    // Images handed to the maker, since none of the index was usable.
    int MadeCount() const { return m_made; }

    // Opens the image dialog for an image.
    std::function<void(const QString &)> OnInsertImage;

    QTableWidget *Thumbs;
    QLabel *lblScanning;
    QProgressBar *prgScanning;
    QPushButton *btnClose;
    QMenu *mnuPopup;
    QAction *mnuInsertTag, *mnuProperties;

signals:
    // The grid is complete (or the run was cancelled).
    void Loaded();

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    // Puts the name into the first empty name cell, with its picture when
    // there is one; false when the grid is full.
    bool AddName(const QString &imagePath, const QImage &picture);
    void Made(int index, const QString &imagePath, const QString &thumbnailPath, const QImage &picture);
    void Finish();

    const QString m_folder;
    const QString m_previewsDir;
    TThumbnailIndex m_index;
    QList<QPixmap> m_pictures;
    QHash<QString, int> m_pictureOf;  // lower-case name -> picture
    QHash<QString, QString> m_pathOf; // lower-case name -> the image's path
    int m_nameCells = 0;              // name cells filled
    QString m_currentFile;
    std::unique_ptr<TThumbnailMaker> m_maker;
    bool m_started = false;
    bool m_cancelled = false;
    bool m_busyCursor = false;
    int m_made = 0;
};

// The previewer of the main window: runs the thumbnail page for a folder.
struct TThumbPreviewNB
{
    QString InitialDir;
    QString Title = QStringLiteral("Image Preview");
    QString DataFileName = QStringLiteral("thumbs.dat");
    QString DataFileDir;
    QString PreviewsDir;
    // The image pointed at when the page closed.
    QString FileName;
    std::function<void(const QString &)> OnInsertImage;

    // Shows the page modally; false, after an error message, when a file
    // name or folder is missing, and false when the page closes by Close.
    bool Execute(QWidget *parent);
};
