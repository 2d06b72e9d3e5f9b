// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqFramePanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TvqFramePanel::TvqFramePanel(const TFrameSettings &settings, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    m_caption = new QLabel(this);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_caption);
    SetSelected(false);
    SetSettings(settings);
}

void TvqFramePanel::SetSettings(const TFrameSettings &settings)
{
    m_settings = settings;
    setGeometry(settings.Geometry);
    m_caption->setText(settings.FrameName + u'\n' + settings.FrameURL);
}

void TvqFramePanel::SetSelected(bool selected)
{
    m_selected = selected;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, selected ? QColor(0xFF, 0xFF, 0x00) : QColor(Qt::white));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}

void TvqFramePanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QFrame::mousePressEvent(event);
}
