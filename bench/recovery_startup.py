#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up with recovery copies on and nothing to recover, against start-up
with them off: the program without a file, RUNS times each, interleaved, each
run with a fresh profile (see bench/program_bench.py). Prints the median of
each figure for both and the median of the paired ratios; start to idle is
held to 1.05x.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

import program_bench as bench

RATIO_LIMIT = 1.05
KEYS = [("shown", "start -> window shown"), ("idle", "start -> idle"), ("cpu", "CPU time to idle")]


def run(velicort: str, scratch: str, recovery: bool) -> dict:
    bench.SETTINGS = bench.SETTINGS_BASE + f"Velicort\\RecoveryCopies={-1 if recovery else 0}\n"
    return bench.run_once([velicort], scratch)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the build folder")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()
    velicort = os.path.join(args.build, "velicort")
    if not os.access(velicort, os.X_OK):
        sys.exit(f"{velicort} is missing: build the target velicort")
    bench.SETTINGS_BASE = bench.SETTINGS
    window_manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    scratch = tempfile.mkdtemp(prefix="recovery-startup-")
    try:
        bench.wait_for_window_manager()
        run(velicort, scratch, True)  # warms the caches; not counted
        pairs = []
        for index in range(args.runs):
            # Which of the two goes first alternates.
            first = index % 2 == 0
            one = run(velicort, scratch, first)
            other = run(velicort, scratch, not first)
            on, off = (one, other) if first else (other, one)
            pairs.append((on, off))
            print(f"run {index + 1}: " + "  ".join(f"{k} {on[k]:.0f}/{off[k]:.0f}" for k, _ in KEYS), flush=True)
    finally:
        window_manager.terminate()
        window_manager.wait()
        shutil.rmtree(scratch, ignore_errors=True)

    print(f"\n  {'figure':<28} {'on':>8} {'off':>8} {'paired ratio':>13}  target")
    missed = 0
    for key, label in KEYS:
        on = statistics.median(p[0][key] for p in pairs)
        off = statistics.median(p[1][key] for p in pairs)
        ratio = statistics.median(p[0][key] / p[1][key] for p in pairs if p[1][key] > 0)
        target = ""
        if key == "idle":
            passed = ratio <= RATIO_LIMIT
            missed += 0 if passed else 1
            target = f"<= {RATIO_LIMIT}x {'PASS' if passed else 'MISS'}"
        print(f"  {label + ' (ms)':<28} {on:>8.1f} {off:>8.1f} {ratio:>12.3f}x  {target}")
    print(f"\n{missed} target(s) missed.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
