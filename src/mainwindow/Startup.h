// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's entry: hands the command line to the instance that already
// runs for this user, or starts this one with its main window. Returns the
// exit code. With VELICORT_BENCH_REPORT set it reports its timings there
// (see TTimingReport).
int RunVelicort(int argc, char *argv[]);
