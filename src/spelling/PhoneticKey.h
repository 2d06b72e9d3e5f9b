// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A key for how an English word sounds, for the sound-alike suggestions of
// the spelling checker. Accents are dropped and the word is upper-cased;
// letter groups that sound alike become one letter (PH and V as F, C before
// E, I or Y and Z as S, other C, CK, Q and hard G as K, J and soft G as J,
// TH as 0, SH and CH as X, D as T, B as P, X as KS); silent letters go (K and
// G before a leading N, W before a leading R, GH before a consonant or at the
// end); vowels, H, W and Y are dropped except a first vowel, which is kept
// as "A"; repeated letters count once. "phonetic" and "fonetik" both give
// "FNTK".

#include <QString>

QString PhoneticKey(const QString &word);
// The count of single-letter insertions, deletions and substitutions that
// make one text the other.
int EditDistance(const QString &a, const QString &b);
