// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pages of the tag speedbar and their buttons: what each button shows,
// what it inserts or does, and whether its texts follow the tag case.

#include "TagAction.h"

#include <array>
#include <span>

enum TButtonKind {
    bkTag,     // inserts its start and end texts
    bkAction,  // performs its action (a dialog for a new tag)
    bkHandler, // has a click handler of its own
    bkTagList, // a drop-down list of tags
    bkAppBar,  // the place of the application bar
};

struct TSpeedbarButton
{
    const char *name;
    const char *hint;
    TButtonKind kind;
    TvqAction action;
    const char *start;
    const char *end;
    bool caseTags; // the texts pass through the tag case
    const char *caption;
};

struct TSpeedbarPage
{
    const char *name;
    const char *caption;
    const char *visibleValue; // under Software\Velicort\SpeedBar; none for a page that always shows
    bool visibleByDefault;
    std::span<const TSpeedbarButton> buttons;
};

inline constexpr int SpeedbarPageCount = 13;
extern const std::array<TSpeedbarPage, SpeedbarPageCount> SpeedbarPages;
