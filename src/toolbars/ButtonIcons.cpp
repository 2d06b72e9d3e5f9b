// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonIcons.h"

#include "Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace {

// Most buttons sit on speedbar pages that are never shown in a run: their
// pictures are read and drawn only when first painted, not at start-up.
class TButtonIconEngine : public QIconEngine
{
public:
    TButtonIconEngine(const QString &name, const QString &caption) : m_name(name), m_caption(caption) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new TButtonIconEngine(*this); }

private:
    const QIcon &Icon()
    {
        if (m_icon.isNull()) {
            const QString file = DataFilePath(QStringLiteral("icons/") + m_name + QStringLiteral(".svg"));
            if (QFileInfo::exists(file))
                m_icon = QIcon(file);
            if (m_icon.isNull() || m_icon.pixmap(16, 16).isNull())
                m_icon = GlyphIcon(m_caption);
        }
        return m_icon;
    }

    QString m_name;
    QString m_caption;
    QIcon m_icon;
};

} // namespace

QIcon ButtonIcon(const QString &name, const QString &caption)
{
    return QIcon(new TButtonIconEngine(name, caption));
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
