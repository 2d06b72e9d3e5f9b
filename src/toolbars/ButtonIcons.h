// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pictures of tool buttons: the shipped icon named after the button
// ("icons/vqbBold.svg" in the data folder) or, where there is none, the
// button's caption drawn as a small glyph.

#include <QIcon>
#include <QString>

QIcon ButtonIcon(const QString &name, const QString &caption);
// A few letters drawn as a picture.
QIcon GlyphIcon(const QString &text);
