// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One-time notices: informational messages that the user can silence for
// good with "Don't show this message again". A silenced notice is stored as
// "0" under Software\Velicort\ShowAgainMsg, by the notice's value name.

#include "MessageService.h"

// The notices by id; 7 has none.
enum TNotice {
    nmExtendedReplace = 0,
    nmRemoteFileNotHTML = 1,
    nmFileAlreadyOpen = 2,
    nmBrowserCaps = 3,
    nmMSIE301 = 4,
    nmFullScreen = 5,
    nmActiveConnection = 6,
    nmHTMLHelp = 8,
    nmDocumentWeight = 9,
    nmValidatorWordWrap = 10,
    nmURLMapFail = 11,
    nmSpellCheckSelection = 12,
};

// Shows the notice unless it was silenced, and silences it when the user
// leaves the box checked. Ok or Cancel as the user answered; Ok without
// showing anything for a silenced notice or an id that has none. Callers
// that ask a question through a notice go on only when it is not Cancel.
TMsgResult ShowOnceNotice(int id);
