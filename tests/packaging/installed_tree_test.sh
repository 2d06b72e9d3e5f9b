#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, checks that every file the
# desktop reads is there, and starts the installed program with a page until
# the page is shown: it must find its data under the prefix, not the build.
# Arguments: the build folder, then the PNG sizes of the program icon.
set -euo pipefail
build=$1
shift
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log"

fail() { echo "FAILED: $*" >&2; exit 1; }
expect() { [ -e "$prefix/$1" ] || fail "$1 is not installed"; }

expect bin/velicort
expect share/velicort/Tags.dat
expect share/velicort/icons/velicort.svg
expect share/velicort/HTMLHelp
expect share/applications/org.velicort.Velicort.desktop
expect share/metainfo/org.velicort.Velicort.metainfo.xml
expect share/icons/hicolor/scalable/apps/velicort.svg
expect share/man/man1/velicort.1
expect bin/velicort-validate
expect share/man/man1/velicort-validate.1
expect bin/velicort-site
expect share/man/man1/velicort-site.1
for size in "$@"; do
    png=share/icons/hicolor/${size}x${size}/apps/velicort.png
    expect "$png"
    # Width and height from the PNG header.
    read -r width height < <(od -An -tu1 -j16 -N8 "$prefix/$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x${height}"
done

# The entry names the installed program and icon.
entry=$prefix/share/applications/org.velicort.Velicort.desktop
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$exec_program" ] || fail "Exec=$exec_program is not an installed program"
[ -e "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not installed"

# Start it from the prefix, away from the build tree, with a profile of its own.
mkdir -m 700 "$work/runtime"
printf '[Software]\nVelicort\\FirstRun=0\nVelicort\\ShowTips=0\nVelicort\\ShowSplash=0\n' > "$work/settings.conf"
printf '<html><body><p>Installed</p></body></html>\n' > "$work/page.htm"
(cd "$work" && exec env QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} XDG_RUNTIME_DIR=$work/runtime \
    VELICORT_SETTINGS=$work/settings.conf VELICORT_BENCH_REPORT=$work/report \
    "$prefix/bin/velicort" "$work/page.htm" > "$work/run.log" 2>&1) &
pid=$!
for _ in $(seq 1 600); do
    grep -q '^shown ' "$work/report" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/run.log" >&2; fail "the installed program ended"; }
    sleep 0.1
done
grep -q '^shown ' "$work/report" 2>/dev/null || { cat "$work/run.log" >&2; fail "the installed program never showed the page"; }
# A program that looks for its data elsewhere warns of every icon it misses.
if grep -q 'No such file' "$work/run.log"; then
    cat "$work/run.log" >&2
    fail "the installed program missed files of its data"
fi
# The command-line tools run from the prefix, without a display.
printf '<html><body><a href="page.htm">self</a></body></html>\n' > "$work/links.htm"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= VELICORT_SETTINGS=$work/settings.conf \
    "$prefix/bin/velicort-site" links "$work/links.htm" > "$work/site.log" 2>&1 ||
    { cat "$work/site.log" >&2; fail "the installed velicort-site did not verify a page"; }
grep -q ': Verified$' "$work/site.log" || { cat "$work/site.log" >&2; fail "velicort-site verified nothing"; }
echo "installed tree complete; the installed program showed the page, velicort-site verified one"
