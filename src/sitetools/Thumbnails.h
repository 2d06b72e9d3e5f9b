// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Thumbnails of the images of a folder: which files count as images, the
// layout of their grid, the names of thumbnail files, the index that finds
// them again, and the maker that reads and scales the images away from the
// user-interface thread.

#include "IniFile.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <thread>

// The area a thumbnail fits in, its aspect ratio kept.
inline constexpr QSize ThumbnailSize(74, 56);
inline constexpr int ThumbnailColumns = 6;

// Rows of the grid for that many images: 10, or round(0.4 × count) + 1 when
// round(0.4 × count) exceeds 10. Even rows hold pictures, odd rows names.
int ThumbnailGridRows(int imageCount);

// The images of the folder (JPG, GIF, PCX, BMP, PNG, TIF, WMF and ICO, the
// extension in any case) as full paths, sorted by name.
QStringList ThumbnailImages(const QString &folder);

// The thumbnail file for an image in the thumbnail folder: the image's name
// with ".THB", or when that exists "Thm" + n + ".THB" with the smallest n
// free.
QString NewThumbnailPath(const QString &previewsDir, const QString &imagePath);

// The image scaled to fit ThumbnailSize, read at that size where the format
// allows; null for a file that is no readable image or would be too large
// to decode.
QImage MakeThumbnail(const QString &imagePath);

// The thumbnail index: an INI file with one section per image folder (its
// path with a trailing "/"), in it one key per image (its path in lower
// case) whose value is the path of the thumbnail file.
class TThumbnailIndex
{
public:
    explicit TThumbnailIndex(const QString &fileName) : m_ini(fileName) {}

    // The thumbnail file recorded for the image when that file exists, else
    // empty.
    QString Lookup(const QString &imagePath) const;
    // Deletes the recorded thumbnail file and the image's key.
    void Remove(const QString &imagePath);
    void Add(const QString &imagePath, const QString &thumbnailPath);
    // Writes the index (whole, through a temporary file); true when it
    // was written or nothing had changed.
    bool Save() { return m_ini.UpdateFile(); }

private:
    TIniFile m_ini;
};

// Makes the thumbnails of a list of images on a thread of its own, one
// after the other: each is read, scaled, and saved under a new thumbnail
// name. Made() reports each in the list's order, on the thread the maker
// lives in; a picture that could not be made comes as a null image with no
// file. Finished() follows the last one, or a cancel.
class TThumbnailMaker : public QObject
{
    Q_OBJECT

public:
    TThumbnailMaker(const QStringList &images, const QString &previewsDir, QObject *parent = nullptr);
    ~TThumbnailMaker() override;

    void Start();
    // The images not yet begun are left alone.
    void Cancel() { m_cancelled = true; }
    // Cancels and waits for the image being made; what was made is still
    // reported, by the events waiting for the maker.
    void Stop();

signals:
    void Made(int index, const QString &imagePath, const QString &thumbnailPath, const QImage &picture);
    void Finished();

private:
    void Run();

    const QStringList m_images;
    const QString m_previewsDir;
    std::atomic<bool> m_cancelled = false;
    std::thread m_thread;
};
