// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Colour values as the settings store keeps them: 0x00BBGGRR, or a system
// colour 0x800000NN that stands for a colour of the current palette.

#include <QColor>
#include <QIcon>
#include <QSize>

#include <utility>

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

// The sixteen named colours of HTML, in alphabetical order.
inline constexpr std::pair<const char *, QRgb> NamedColors[] = {
    {"Aqua", 0x00FFFF},   {"Black", 0x000000}, {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF},
    {"Gray", 0x808080},   {"Green", 0x008000}, {"Lime", 0x00FF00},   {"Maroon", 0x800000},
    {"Navy", 0x000080},   {"Olive", 0x808000}, {"Purple", 0x800080}, {"Red", 0xFF0000},
    {"Silver", 0xC0C0C0}, {"Teal", 0x008080},  {"White", 0xFFFFFF},  {"Yellow", 0xFFFF00},
};

// A small framed square of the colour, for lists and buttons of colours.
QIcon ColorSwatch(const QColor &color, QSize size);
