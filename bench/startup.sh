#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time: from starting the process to a shown, usable main window with
# one empty document, under a virtual X server. Each program runs RUNS times
# with a fresh settings profile; the medians and their ratio are printed.
# Usage: ./tools/setup.sh && bench/startup.sh [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/${BUILD_DIR:-build}"
runs="${1:-15}"
command -v xvfb-run >/dev/null || { echo "xvfb-run is needed (apt-get install xvfb xauth)"; exit 1; }

inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<INNER
set -euo pipefail
profile=\$(mktemp -d)
trap 'rm -rf "\$profile"' EXIT
median() { sort -n | awk '{ a[NR] = \$1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
time_runs() { # wall-clock milliseconds of each run of the command
    for i in \$(seq "$runs"); do
        rm -f "\$profile/settings.conf"
        # A profile that has started before: no first-run questions, no tip.
        printf '[Software]\nVelicort\\\\FirstRun=0\nVelicort\\\\ShowTips=0\n' >"\$profile/settings.conf"
        start=\$(date +%s%N)
        VELICORT_SETTINGS="\$profile/settings.conf" "\$@" >/dev/null
        echo \$(( (\$(date +%s%N) - start) / 1000000 ))
    done
}
time_runs "$build/bench/startup_baseline" >/dev/null # warm the caches
time_runs "$build/velicort" --quit-when-shown >/dev/null
baseline=\$(time_runs "$build/bench/startup_baseline" | median)
velicort=\$(time_runs "$build/velicort" --quit-when-shown | median)
echo "start-up to a shown main window, median of $runs runs:"
echo "  bare Qt main window (baseline): \$baseline ms"
echo "  Velicort:                       \$velicort ms (target <= 400 ms)"
awk -v v="\$velicort" -v b="\$baseline" 'BEGIN { printf "  ratio: %.2fx the baseline\n", v / b }'
INNER
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$inner"
