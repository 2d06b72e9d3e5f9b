// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqAppButton.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QStyle>

QIcon AppGlyph(const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    QFileInfo info(fileName);
    if (!info.exists()) {
        const QString found = QStandardPaths::findExecutable(fileName);
        if (found.isEmpty())
            return {};
        info.setFile(found);
    }
    QIcon icon;
    if (info.isFile() && info.isExecutable())
        icon = QIcon::fromTheme(info.completeBaseName());
    if (icon.isNull())
        icon = QFileIconProvider().icon(info);
    const QPixmap small = icon.pixmap(16, 16);
    if (small.isNull())
        return {};
    QPixmap glyph(18, 18);
    glyph.fill(Qt::transparent);
    QPainter(&glyph).drawPixmap(1, 1, small);
    return QIcon(glyph);
}

TvqAppButton::TvqAppButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFixedSize(25, 25);
    setIconSize(QSize(18, 18));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Until a file gives it its own icon; a flat button without a picture
    // could not be seen.
    setIcon(style()->standardIcon(QStyle::SP_FileIcon));
}

void TvqAppButton::SetAppFilename(const QString &fileName)
{
    m_appFilename = fileName;
    if (const QIcon glyph = AppGlyph(fileName); !glyph.isNull())
        setIcon(glyph);
}

void TvqAppButton::CopyFrom(const TvqAppButton &other)
{
    setToolTip(other.toolTip());
    SetAppName(other.AppName());
    // The picture goes with the file: one the desktop has no icon for must
    // not keep this button's old one.
    m_appFilename = other.AppFilename();
    setIcon(other.icon());
    SetCommandLine(other.CommandLine());
}
