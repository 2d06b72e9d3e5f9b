#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole program as a user runs it, under a virtual X server with a window
# manager: no file, and pages of 0.5, 2, 8 and 32 MB, each RUNS times
# interleaved with a bare QScintilla editor doing the same open (see
# bench/program_bench.py).
# Usage: cmake --build build --target velicort bare_editor write_sample_page &&
#        bench/program_bench.sh [--runs N] [CASE...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
for tool in xvfb-run openbox xdotool xprop python3; do
    command -v "$tool" >/dev/null || { echo "$tool is needed (apt-get install xvfb xauth openbox xdotool x11-utils python3)"; exit 1; }
done
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    python3 "$here/bench/program_bench.py" --build "$here/${BUILD_DIR:-build}" "$@"
