// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonIcons.h"

#include "Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

QIcon ButtonIcon(const QString &name, const QString &caption)
{
    const QString file = DataFilePath(QStringLiteral("icons/") + name + QStringLiteral(".svg"));
    if (QFileInfo::exists(file)) {
        const QIcon icon(file);
        if (!icon.pixmap(16, 16).isNull())
            return icon;
    }
    return GlyphIcon(caption);
}

QIcon GlyphIcon(const QString &text)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(text.size() > 3 ? 10 : text.size() > 2 ? 12 : 16);
    painter.setFont(font);
    painter.setPen(QColor(0x1f, 0x3a, 0x70));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return QIcon(pixmap);
}
