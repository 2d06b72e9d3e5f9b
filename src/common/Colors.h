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
