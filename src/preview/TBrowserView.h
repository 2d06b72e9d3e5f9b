// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A browser object as the Browse page drives it. The web engine behind it
// lives in a module loaded on first use, so the program knows it only by this
// interface.

#include <QWidget>

class TBrowserView : public QWidget
{
public:
    using QWidget::QWidget;

    virtual void Navigate(const QString &address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    // Stops the page and shows an empty one, so that nothing plays or runs
    // while the browser is out of sight.
    virtual void Unload() = 0;
    virtual QString LocationURL() const = 0;
};
