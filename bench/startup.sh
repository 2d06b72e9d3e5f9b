#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up and shut-down with no file: from starting the process to the main
# window's first paint, and from closing the window to the process's end,
# interleaved with a bare Qt main window (bench/StartupBaseline.cpp), RUNS
# times each with a fresh settings profile.
# Usage: cmake --build build --target velicort startup_baseline write_sample_page &&
#        bench/startup.sh [RUNS]
set -euo pipefail
exec "$(dirname "$0")/program_bench.sh" --baseline startup_baseline --no-paired-targets --runs "${1:-15}" none
