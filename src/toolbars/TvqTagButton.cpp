// SPDX-License-Identifier: GPL-3.0-or-later
#include "TvqTagButton.h"

TvqTagButton::TvqTagButton(QWidget *parent) : QToolButton(parent)
{
    setFixedSize(25, 25);
    setAutoRaise(true);
    setIconSize(QSize(18, 18));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setBold(true);
    setFont(font);
    QPalette navy = palette();
    navy.setColor(QPalette::ButtonText, QColor(0x00, 0x00, 0x80));
    setPalette(navy);
}
