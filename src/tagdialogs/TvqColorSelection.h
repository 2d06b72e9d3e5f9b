// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The palette panel of the table wizard: sixteen colour cells in a 4 by 4
// grid and "Other..." for the colour dialog. A click on a cell, or a colour
// chosen in the dialog, becomes the current colour.

#include <QColor>
#include <QFrame>

class TvqColorSelection : public QFrame
{
    Q_OBJECT

public:
    explicit TvqColorSelection(QWidget *parent = nullptr);

    // The settings key whose custom colours the colour dialog shows and
    // keeps; none when empty.
    QString RegRoot;
    QColor Color() const { return m_color; }

signals:
    void OnColorSelect(const QColor &color);

private:
    void Select(const QColor &color);
    void OtherClick();

    QColor m_color = Qt::white;
};
