// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shows the busy cursor for as long as it lives.

#include <QCursor>
#include <QGuiApplication>

class THourglass
{
public:
    THourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~THourglass() { QGuiApplication::restoreOverrideCursor(); }
    THourglass(const THourglass &) = delete;
    THourglass &operator=(const THourglass &) = delete;
};
