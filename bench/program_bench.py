#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole program as a user runs it, beside a baseline program.

Runs inside a virtual X server (bench/program_bench.sh starts one). Starts a
window manager, then for each case starts the program and the baseline in
turn, RUNS times each, interleaved, each run with a fresh profile: default
settings, except that the first-run questions and the tip of the day are
off. Both report their timings through VELICORT_BENCH_REPORT (see
src/mainwindow/TimingReport.h); the peak memory is read from /proc before the
window is closed with Alt+F4 through the window manager, and the close is
timed until the process has ended.

Prints, per case, the median of each figure for both programs and the median
of the paired ratios (of the paired differences for memory), beside the
targets.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass
from typing import Optional

# Case name -> page size in bytes (0: no file).
CASES = {"none": 0, "0.5": 500_000, "2": 2_000_000, "8": 8_000_000, "32": 32_000_000}

SETTINGS = "[Software]\nVelicort\\FirstRun=0\nVelicort\\ShowTips=0\n"
RUN_TIMEOUT_S = 180
CLOSE_TIMEOUT_S = 20


@dataclass
class Figure:
    key: str  # as in the timing report, or "memory" and "close"
    label: str
    unit: str
    limits: dict  # case -> the largest value allowed
    # How it compares with the baseline: "ratio" (held to 1.3x), "difference"
    # (held to +20 MB) or "" (a ratio, shown without a target).
    paired: str


FIGURES = [
    Figure("shown", "start -> page shown", "ms", {"none": 400, "2": 300}, "ratio"),
    Figure("idle", "start -> idle", "ms", {"2": 400, "32": 2000}, "ratio"),
    Figure("cpu", "CPU time to idle", "ms", {"2": 300}, "ratio"),
    Figure("lateness", "lateness of a 10 ms timer", "ms", {c: 50 for c in CASES if c != "none"}, ""),
    Figure("memory", "peak memory (VmHWM)", "MB", {"none": 60, "2": 80}, "difference"),
    Figure("close", "close -> process ended", "ms", {c: 150 for c in CASES}, "ratio"),
]
RATIO_LIMIT = 1.3
MEMORY_ALLOWANCE_MB = 20


def wait_for_window_manager() -> None:
    """Waits until a window manager has announced itself on the root window."""
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True)
        if "window id" in probe.stdout:
            return
        time.sleep(0.05)
    sys.exit("the window manager did not start")


def peak_memory_mb(pid: int) -> float:
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError("no VmHWM")


def read_report(path: str) -> dict:
    figures = {}
    try:
        with open(path) as report:
            for line in report:
                fields = line.split()
                if len(fields) == 2 and line.endswith("\n"):  # not a line still being written
                    figures[fields[0]] = float(fields[1])
    except FileNotFoundError:
        pass
    return figures


def main_window(pid: int) -> str:
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], capture_output=True, text=True)
    windows = found.stdout.split()
    if not windows:
        raise RuntimeError("no visible window")
    return windows[0]


def run_once(command: list, scratch: str) -> dict:
    """One run with a fresh profile; the figures of FIGURES by key."""
    profile = tempfile.mkdtemp(dir=scratch)
    try:
        settings = os.path.join(profile, "settings.conf")
        with open(settings, "w") as file:
            file.write(SETTINGS)
        report = os.path.join(profile, "report")
        env = dict(os.environ, VELICORT_SETTINGS=settings, VELICORT_BENCH_REPORT=report,
                   XDG_CONFIG_HOME=profile, XDG_DATA_HOME=profile)
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            deadline = time.monotonic() + RUN_TIMEOUT_S
            figures = {}
            while "lateness" not in figures:
                if process.poll() is not None:
                    raise RuntimeError(f"{command[0]} ended early with {process.returncode}")
                if time.monotonic() > deadline:
                    raise RuntimeError(f"{command[0]} did not become idle")
                time.sleep(0.005)
                figures = read_report(report)
            figures["memory"] = peak_memory_mb(process.pid)
            window = main_window(process.pid)
            subprocess.run(["xdotool", "windowactivate", "--sync", window], check=True)
            start = time.monotonic()
            subprocess.run(["xdotool", "key", "alt+F4"], check=True)
            process.wait(CLOSE_TIMEOUT_S)
            figures["close"] = (time.monotonic() - start) * 1e3
            return figures
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def paired(figure: Figure, values: list, baselines: list) -> Optional[float]:
    if figure.paired == "difference":
        return statistics.median(v - b for v, b in zip(values, baselines))
    if any(b <= 0 for b in baselines):
        return None
    return statistics.median(v / b for v, b in zip(values, baselines))


def verdict(figure: Figure, case: str, value: float, pair: Optional[float], paired_targets: bool) -> tuple:
    """The targets' text and whether the figures meet them."""
    targets = []
    met = True
    if case in figure.limits:
        targets.append(f"<= {figure.limits[case]:g} {figure.unit}")
        met = met and value <= figure.limits[case]
    if paired_targets and pair is not None and figure.paired == "ratio":
        targets.append(f"<= {RATIO_LIMIT}x")
        met = met and pair <= RATIO_LIMIT
    elif paired_targets and pair is not None and figure.paired == "difference":
        targets.append(f"<= +{MEMORY_ALLOWANCE_MB} MB")
        met = met and pair <= MEMORY_ALLOWANCE_MB
    if not targets:
        return "-", "-"
    return ", ".join(targets), "PASS" if met else "MISS"


def print_case(case: str, results: list, baseline_name: str, paired_targets: bool) -> int:
    title = "no file" if case == "none" else f"{case} MB page"
    print(f"\n{title}: medians of {len(results)} interleaved runs")
    print(f"  {'figure':<30} {'Velicort':>10} {baseline_name + ' (baseline)':>26} {'paired':>10}  {'target':<24} result")
    misses = 0
    for figure in FIGURES:
        values = [r[0][figure.key] for r in results]
        baselines = [r[1][figure.key] for r in results]
        value = statistics.median(values)
        pair = paired(figure, values, baselines)
        if pair is None:
            pair_text = "-"
        elif figure.paired == "difference":
            pair_text = f"{pair:+.1f} MB"
        else:
            pair_text = f"{pair:.2f}x"
        targets, result = verdict(figure, case, value, pair, paired_targets)
        misses += result == "MISS"
        print(f"  {figure.label + ' (' + figure.unit + ')':<30} {value:>10.1f} {statistics.median(baselines):>26.1f} "
              f"{pair_text:>10}  {targets:<24} {result}")
    return misses


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the build folder")
    parser.add_argument("--baseline", default="bare_editor", help="the baseline program in BUILD/bench")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--paired-targets", action=argparse.BooleanOptionalAction, default=True,
                        help="hold the figures to the baseline's as well (1.3x its times, its memory + 20 MB)")
    parser.add_argument("cases", nargs="*", metavar="CASE",
                        help="none (no file) or a page of 0.5, 2, 8 or 32 MB; all by default")
    args = parser.parse_args()
    cases = args.cases or list(CASES)
    if unknown := [case for case in cases if case not in CASES]:
        parser.error(f"unknown case {unknown[0]}")

    velicort = os.path.join(args.build, "velicort")
    baseline = os.path.join(args.build, "bench", args.baseline)
    writer = os.path.join(args.build, "bench", "write_sample_page")
    for program in (velicort, baseline, writer):
        if not os.access(program, os.X_OK):
            sys.exit(f"{program} is missing: build the targets velicort, {args.baseline} and write_sample_page")

    window_manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    scratch = tempfile.mkdtemp(prefix="program-bench-")
    misses = 0
    try:
        wait_for_window_manager()
        # Warms the file and library caches; not counted.
        run_once([velicort], scratch)
        run_once([baseline], scratch)
        for case in cases:
            size = CASES[case]
            page = []
            if size:
                page = [os.path.join(scratch, f"page-{case}MB.html")]
                subprocess.run([writer, str(size), page[0]], check=True)
            results = []
            for run in range(args.runs):
                pair = (run_once([velicort] + page, scratch), run_once([baseline] + page, scratch))
                results.append(pair)
                print(f"{case:>4} run {run + 1}: " + "  ".join(
                    f"{f.key} {pair[0][f.key]:.0f}/{pair[1][f.key]:.0f}" for f in FIGURES), flush=True)
            misses += print_case(case, results, args.baseline, args.paired_targets)
    finally:
        window_manager.terminate()
        window_manager.wait()
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"\n{misses} target(s) missed.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
