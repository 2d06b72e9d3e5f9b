// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Colour values as the settings store keeps them: 0x00BBGGRR, or a system
// colour 0x800000NN that stands for a colour of the current palette.

#include <QColor>

using TColor = quint32;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;

// The plain RGB colour a TColor stands for; system colours are taken from the
// application palette.
QColor ResolveColor(TColor color);
// The TColor of an RGB colour.
TColor ColorFromQColor(const QColor &color);

// The colour as six upper-case hex digits, red first ("FF8000"); system
// colours give their current RGB.
QString ColorToHexText(TColor color);
// Reads "RRGGBB" text, with or without a "$", as the number 0xRRGGBB (red
// highest, unlike a TColor). Short text is padded on the left with "0"
// ("$FF" is 255); a pair that is not hex reads as 0.
int HexTextToColor(const QString &text);
