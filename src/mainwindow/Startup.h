// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's entry: hands the command line to the instance that already
// runs for this user, or starts this one with its main window. Returns the
// exit code.
//
// With "--quit-when-shown" among the parameters the program quits as soon as
// its main window is up and prints how long that took; the start-up
// benchmark uses it.
int RunVelicort(int argc, char *argv[]);
