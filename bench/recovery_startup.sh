#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up with recovery copies on and nothing to recover against start-up
# with them off (see bench/recovery_startup.py).
# Usage: cmake --build build --target velicort && bench/recovery_startup.sh [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
for tool in xvfb-run openbox xdotool xprop python3; do
    command -v "$tool" >/dev/null || { echo "$tool is needed (apt-get install xvfb xauth openbox xdotool x11-utils python3)"; exit 1; }
done
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    python3 "$here/bench/recovery_startup.py" --build "$here/${BUILD_DIR:-build}" --runs "${1:-15}"
