// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The colour dialog and its 16 custom colours. Custom colours are kept as
// "ColorA=FFFFFF" .. "ColorP=FFFFFF" strings (letter, then the colour as
// RRGGBB hex) and stored per dialog under section + "\CustomColors" as the
// values "Color1" .. "Color16". Every colour dialog loads them before it is
// shown and saves them only when it is closed with OK.

#include "Colors.h"

#include <QString>
#include <QStringList>

inline constexpr int CustomColorCount = 16;

class TColorDialog
{
public:
    // Shows the dialog through the message service. On OK, true with Color
    // and CustomColors set to what the user chose; on cancel false and both
    // unchanged.
    bool Execute();

    TColor Color = clBlack;
    QStringList CustomColors;
};

// Replaces the dialog's custom colours with the 16 stored ones; a missing or
// empty one is white.
void LoadCustomColors(const QString &section, TColorDialog &dialog);
// Replaces the stored custom colours with the dialog's.
void SaveCustomColors(const QString &section, const TColorDialog &dialog);

// Loads the custom colours, shows the dialog and saves them again when it is
// closed with OK; what Execute() returns.
bool ExecuteColorDialog(const QString &section, TColorDialog &dialog);
