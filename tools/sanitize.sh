#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize and runs the whole suite there; the packages come from
# tools/setup.sh. Slow: a build of its own, and tests several times slower.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-sanitize"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELICORT_SANITIZE=ON
fi
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
export ASAN_OPTIONS="abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
run_tests() { QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 900 "$@"; }
# Qt WebEngine's own code deletes an object it made with another size than
# it allocated (new-delete-type-mismatch inside libQt6WebEngineCore, never in
# ours), and leaves memory of its own and of fontconfig and udev unfreed at
# exit. A type mismatch cannot be suppressed by where it happens, so the
# tests that load the engine run with these two checks off, and every other
# test with all of them.
engine='^WebEnginePreview\.'
run_tests -E "$engine"
ASAN_OPTIONS="new_delete_type_mismatch=0:detect_leaks=0:$ASAN_OPTIONS" run_tests -R "$engine"
