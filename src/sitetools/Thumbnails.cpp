// SPDX-License-Identifier: GPL-3.0-or-later
#include "Thumbnails.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaObject>

#include <cmath>

int ThumbnailGridRows(int imageCount)
{
    const int rows = int(std::lround(0.4 * imageCount));
    return rows > 10 ? rows + 1 : 10;
}

QStringList ThumbnailImages(const QString &folder)
{
    static const QStringList Patterns = {"*.jpg", "*.gif", "*.pcx", "*.bmp", "*.png", "*.tif", "*.wmf", "*.ico"};
    QDir dir(folder);
    dir.setNameFilters(Patterns);
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    QStringList images;
    for (const QFileInfo &file : dir.entryInfoList())
        images.append(file.absoluteFilePath());
    return images;
}

QString NewThumbnailPath(const QString &previewsDir, const QString &imagePath)
{
    const QDir dir(previewsDir);
    const QString named = dir.filePath(QFileInfo(imagePath).completeBaseName() + QStringLiteral(".THB"));
    if (!QFileInfo::exists(named))
        return named;
    for (int n = 0;; ++n) {
        const QString numbered = dir.filePath(QStringLiteral("Thm%1.THB").arg(n));
        if (!QFileInfo::exists(numbered))
            return numbered;
    }
}

QImage MakeThumbnail(const QString &imagePath)
{
    QImageReader reader(imagePath);
    if (!reader.canRead())
        return QImage();
    const QSize size = reader.size();
    // A header that claims more than may be decoded is not believed.
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (size.isEmpty() || qint64(size.width()) * size.height() * 4 > limit)
        return QImage();
    const QSize scaled = size.scaled(ThumbnailSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    reader.setScaledSize(scaled);
    QImage picture = reader.read();
    // Formats that cannot scale while reading give the whole picture.
    if (!picture.isNull() && picture.size() != scaled)
        picture = picture.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

namespace {

QString Section(const QString &imagePath)
{
    return QFileInfo(imagePath).absolutePath() + u'/';
}

} // namespace

QString TThumbnailIndex::Lookup(const QString &imagePath) const
{
    const QString thumbnail = m_ini.ReadString(Section(imagePath), imagePath.toLower(), QString());
    return !thumbnail.isEmpty() && QFileInfo(thumbnail).isFile() ? thumbnail : QString();
}

void TThumbnailIndex::Remove(const QString &imagePath)
{
    const QString section = Section(imagePath);
    const QString thumbnail = m_ini.ReadString(section, imagePath.toLower(), QString());
    if (!thumbnail.isEmpty())
        QFile::remove(thumbnail);
    m_ini.DeleteKey(section, imagePath.toLower());
}

void TThumbnailIndex::Add(const QString &imagePath, const QString &thumbnailPath)
{
    m_ini.WriteString(Section(imagePath), imagePath.toLower(), thumbnailPath);
}

TThumbnailMaker::TThumbnailMaker(const QStringList &images, const QString &previewsDir, QObject *parent)
    : QObject(parent), m_images(images), m_previewsDir(previewsDir)
{
}

TThumbnailMaker::~TThumbnailMaker()
{
    Stop();
}

void TThumbnailMaker::Stop()
{
    Cancel();
    if (m_thread.joinable())
        m_thread.join();
}

void TThumbnailMaker::Start()
{
    m_thread = std::thread([this] { Run(); });
}

void TThumbnailMaker::Run()
{
    QDir().mkpath(m_previewsDir);
    for (int i = 0; i < m_images.size() && !m_cancelled; ++i) {
        const QString &image = m_images.at(i);
        const QImage picture = MakeThumbnail(image);
        QString thumbnail;
        if (!picture.isNull()) {
            thumbnail = NewThumbnailPath(m_previewsDir, image);
            if (!picture.save(thumbnail, "PNG"))
                thumbnail.clear();
        }
        // Queued calls from one thread arrive in the order made; those still
        // waiting when the maker goes are dropped with it.
        QMetaObject::invokeMethod(
            this, [this, i, image, thumbnail, picture] { emit Made(i, image, thumbnail, picture); },
            Qt::QueuedConnection);
    }
    QMetaObject::invokeMethod(
        this, [this] { emit Finished(); }, Qt::QueuedConnection);
}
