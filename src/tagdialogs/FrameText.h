// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame wizard's engine: where each frame of a two-level split stands
// in the layout area, and the FRAMESET block built from the frames.

#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

// One frame of the wizard's layout, with what the user set for it.
struct TFrameSettings
{
    QString FrameName;
    QString FrameURL;
    QString MarginHeight; // empty when not set
    QString MarginWidth;  // empty when not set
    bool NoResize = false;
    QString Scrolling = QStringLiteral("Auto");
    int Row = 1;         // position in its group, from 1
    int Column = 1;      // number of its group, from 1
    int FrameWidth = 0;  // percent of the layout area
    int FrameHeight = 0; // percent of the layout area
    QRect Geometry;      // the panel's place in the layout area
};

// A quotient rounded to the nearest integer, a half to the even neighbour:
// 100 / 8 gives 12.
int RoundedQuotient(int numerator, int denominator);

// The number of frames a division line holds: its text as a number, 1 when
// it is none.
int DivisionCount(const QString &text);

// The frames of a split into groups (columns when byColumns, else rows),
// one division text per group, in a layout area of the given size; named
// "Frame 1", "Frame 2", ... in order, group by group.
std::vector<TFrameSettings> LayoutFrames(bool byColumns, const QStringList &divisions, QSize area);

// The FRAMESET block of the frames, which stand in the order LayoutFrames
// gives, with CR LF line ends and tabs for indentation.
QString FramesetText(bool byColumns, const QStringList &divisions, const std::vector<TFrameSettings> &frames);
