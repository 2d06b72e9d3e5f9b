// SPDX-License-Identifier: GPL-3.0-or-later
#include "TfSplash.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>

namespace {

constexpr int LogoWidth = 352;
constexpr int LogoHeight = 171;

const QColor Accent(0xF5, 0xA6, 0x23);

QFont LogoFont(const QString &family, int pixelSize, QFont::Weight weight)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

qreal ScreenPixelRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

} // namespace

TfSplash::TfSplash() : QSplashScreen(Logo(ScreenPixelRatio()))
{
    showMessage(tr("Version 2.5"), Qt::AlignRight | Qt::AlignBottom, QColor(0xD8, 0xE2, 0xEE));
}

std::unique_ptr<TfSplash> TfSplash::ShowNow()
{
    auto splash = std::make_unique<TfSplash>();
    splash->show();
    QCoreApplication::processEvents();
    return splash;
}

QPixmap TfSplash::Logo(qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(LogoWidth, LogoHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area(0, 0, LogoWidth, LogoHeight);

    // A deep blue ground with a soft light in the upper right corner.
    QLinearGradient ground(area.topLeft(), area.bottomRight());
    ground.setColorAt(0, QColor(0x0F, 0x1E, 0x3D));
    ground.setColorAt(1, QColor(0x1B, 0x5E, 0x82));
    painter.fillRect(area, ground);
    QRadialGradient light(QPointF(LogoWidth - 40, 10), 180);
    light.setColorAt(0, QColor(255, 255, 255, 48));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(area, light);

    // The tag mark "</>" on a rounded badge.
    const QRectF badge(24, 44, 72, 72);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 28));
    painter.drawRoundedRect(badge, 14, 14);
    painter.setPen(Accent);
    painter.setFont(LogoFont(QStringLiteral("DejaVu Sans Mono"), 30, QFont::Bold));
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("</>"));

    // The name, underlined by a short stroke, and what the program is.
    const QRectF name(112, 40, LogoWidth - 124, 52);
    painter.setPen(Qt::white);
    painter.setFont(LogoFont(QStringLiteral("DejaVu Sans"), 44, QFont::Bold));
    painter.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velicort"));
    painter.fillRect(QRectF(114, 96, 56, 3), Accent);
    painter.setPen(QColor(0xB8, 0xC8, 0xDA));
    painter.setFont(LogoFont(QStringLiteral("DejaVu Sans"), 14, QFont::Normal));
    painter.drawText(QRectF(114, 104, LogoWidth - 124, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("HTML Editor"));
    return pixmap;
}
