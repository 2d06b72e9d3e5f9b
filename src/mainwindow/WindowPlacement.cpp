// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include "SettingsStore.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

const QString MainFormKey = QStringLiteral("Software\\Velicort\\MainForm");
// A first start takes this share of the screen, and at least the size the
// window was designed for.
constexpr qreal FirstStartShare = 0.8;
constexpr QSize FirstStartSize(774, 550);

QRect ScreenArea(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

QRect KeepOnScreen(QRect window, QSize screen)
{
    window.moveLeft(std::max(window.left(), 0));
    window.moveTop(std::max(window.top(), 0));
    if (window.width() > screen.width())
        window.setWidth(screen.width() - 10);
    if (window.height() > screen.height())
        window.setHeight(screen.height() - 28);
    if (window.left() + window.width() > screen.width())
        window.moveLeft(screen.width() - window.width());
    if (window.top() + window.height() > screen.height())
        window.moveTop(screen.height() - window.height());
    return window;
}

void SaveWindowPlacement(const QWidget *window)
{
    if (window->isMinimized())
        return;
    if (window->isMaximized()) {
        WriteRegValue(MainFormKey, QStringLiteral("WindowState"), QStringLiteral("Maximized"));
        return;
    }
    WriteRegValue(MainFormKey, QStringLiteral("Left"), window->x());
    WriteRegValue(MainFormKey, QStringLiteral("Top"), window->y());
    WriteRegValue(MainFormKey, QStringLiteral("Width"), window->width());
    WriteRegValue(MainFormKey, QStringLiteral("Height"), window->height());
    WriteRegValue(MainFormKey, QStringLiteral("WindowState"), QStringLiteral("Normal"));
}

void RestoreWindowPlacement(QWidget *window)
{
    if (ReadRegValue(MainFormKey, QStringLiteral("WindowState"), QStringLiteral("Normal")) ==
        QLatin1String("Maximized")) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        return;
    }
    const QRect area = ScreenArea(window);
    if (ReadRegValue(MainFormKey, QStringLiteral("Width"), QString()).isEmpty()) {
        // A first start: a comfortable part of the screen, in its middle.
        const QSize size =
            (QSizeF(area.size()) * FirstStartShare).toSize().expandedTo(FirstStartSize).boundedTo(area.size());
        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
        window->resize(size);
        window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
        return;
    }
    QRect saved(int(ReadRegInteger(MainFormKey, QStringLiteral("Left"), 4)),
                int(ReadRegInteger(MainFormKey, QStringLiteral("Top"), 4)),
                int(ReadRegInteger(MainFormKey, QStringLiteral("Width"), 774)),
                int(ReadRegInteger(MainFormKey, QStringLiteral("Height"), 550)));
    const QRect placed = KeepOnScreen(saved.translated(-area.topLeft()), area.size()).translated(area.topLeft());
    window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
    window->move(placed.topLeft());
    window->resize(placed.size());
    QCoreApplication::processEvents();
}
