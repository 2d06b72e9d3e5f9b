// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The characters of the special-character bar: a display character, the
// entity inserted for it and a hint. The first 23 make the page "Special",
// the next 32 "Extended (Lower Case)" and the last 30 "Extended (Upper
// Case)"; the extended ones are also the characters that the
// extended-character replacement turns into entities and back.

#include <array>

struct TSpecialCharacter
{
    int page; // 0 Special, 1 Extended (Lower Case), 2 Extended (Upper Case)
    const char16_t *shown;
    const char *entity;
    const char *hint;
    int code; // the character's code in the Windows-1252 code page
};

inline constexpr int SpecialCharacterCount = 85;
extern const std::array<TSpecialCharacter, SpecialCharacterCount> SpecialCharacters;
