// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The splash window shown while the program starts: the logo and the
// version, in a frameless window of 352 x 171 pixels at the centre of the
// screen. It is shown without waiting and freed when start-up is done.

#include <QSplashScreen>

#include <memory>

class TfSplash : public QSplashScreen
{
    Q_OBJECT

public:
    TfSplash();

    // Shows a splash at once and lets it paint before start-up goes on; the
    // caller frees it when start-up is done.
    static std::unique_ptr<TfSplash> ShowNow();

    // The logo, drawn for a screen of the given pixel ratio.
    static QPixmap Logo(qreal devicePixelRatio);
};
