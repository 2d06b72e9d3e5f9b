// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One frame on the frame wizard's last page: a flat, framed panel that shows
// the frame's name and, below it, its URL; yellow while it is the frame
// being edited, white otherwise. A click selects it.

#include "FrameText.h"

#include <QFrame>

class QLabel;

class TvqFramePanel : public QFrame
{
    Q_OBJECT

public:
    TvqFramePanel(const TFrameSettings &settings, QWidget *parent);

    const TFrameSettings &Settings() const { return m_settings; }
    // Changes what the frame holds and shows it.
    void SetSettings(const TFrameSettings &settings);

    bool Selected() const { return m_selected; }
    void SetSelected(bool selected);

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    TFrameSettings m_settings;
    bool m_selected = false;
    QLabel *m_caption;
};
