#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in build-fuzz and runs each over its
# seed corpus for SECONDS (default 60) in turn. The inputs a run finds are
# kept in build-fuzz/corpus for the next run; an input that crashes a target
# is written to build-fuzz/crashes and fails the run.
#   fuzz/run.sh [SECONDS]
set -euo pipefail
seconds=${1:-60}
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/${FUZZ_BUILD_DIR:-build-fuzz}"

if [ ! -f "$build/build.ninja" ]; then
    echo "==> Configuring the fuzz targets in $build"
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELICORT_FUZZ=ON
fi
echo "==> Building the fuzz targets"
cmake --build "$build" --target fuzz_targets --parallel "$(nproc)"

mkdir -p "$build/crashes"
failed=()
for target in $(find "$build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -executable | sort); do
    name=${target##*/fuzz_}
    mkdir -p "$build/corpus/$name"
    echo "==> Fuzzing $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$build/crashes/$name-" \
        "$build/corpus/$name" "$root/fuzz/corpus/$name" > "$build/$name.log" 2>&1; then
        tail -n 40 "$build/$name.log"
        failed+=("$name")
    else
        grep -E '^#[0-9]+[[:space:]]+DONE' "$build/$name.log" || true
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "==> Fuzzing found crashes in: ${failed[*]} (inputs in $build/crashes)"
    exit 1
fi
echo "==> Every fuzz target ran ${seconds}s without a crash"
