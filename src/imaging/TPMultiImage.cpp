// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPMultiImage.h"

#include <QPainter>

TPMultiImage::TPMultiImage(QWidget *parent) : QWidget(parent)
{
}

bool TPMultiImage::SetImageFile(const QString &path)
{
    m_text.clear();
    m_picture = LoadImage(path, LoadOption);
    update();
    return !m_picture.isNull();
}

void TPMultiImage::SetText(const QString &text)
{
    m_picture = QImage();
    m_text = text;
    update();
}

void TPMultiImage::CopyFrom(const TPMultiImage &other)
{
    m_picture = other.m_picture;
    m_text = other.m_text;
    update();
}

bool TPMultiImage::SaveToFile(const QString &path, TSaveOption option, TTiffCompression compression) const
{
    return !m_picture.isNull() && SaveImage(m_picture, path, option, compression);
}

QPixmap TPMultiImage::Bitmap() const
{
    QPixmap bitmap(size());
    bitmap.fill(palette().color(backgroundRole()));
    QPainter painter(&bitmap);
    Draw(painter);
    return bitmap;
}

void TPMultiImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Draw(painter);
}

void TPMultiImage::Draw(QPainter &painter) const
{
    if (m_picture.isNull()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, m_text);
        return;
    }
    const QSize shown = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}
