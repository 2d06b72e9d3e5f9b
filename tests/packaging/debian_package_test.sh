#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build folder and checks that it holds
# what the desktop reads and depends on the libraries and plugins the program
# loads. Argument: the build folder.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" ||
    { cat "$work/cpack.log" >&2; exit 1; }
package=$(ls "$work"/velicort_*.deb)

fail() { echo "FAILED: $*" >&2; exit 1; }
dpkg-deb -c "$package" | awk '{print $6}' > "$work/contents"
for file in ./usr/bin/velicort ./usr/share/velicort/Tags.dat \
    ./usr/share/applications/org.velicort.Velicort.desktop \
    ./usr/share/metainfo/org.velicort.Velicort.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/velicort.svg \
    ./usr/share/icons/hicolor/48x48/apps/velicort.png ./usr/share/man/man1/velicort.1 \
    ./usr/bin/velicort-site ./usr/share/man/man1/velicort-site.1; do
    grep -qxF "$file" "$work/contents" || fail "$file is not in the package"
done

depends=$(dpkg-deb -f "$package" Depends)
# Linked libraries, found by dpkg-shlibdeps; plugins, named by hand.
for dependency in libqt6widgets6 libqscintilla2-qt6 libhunspell libqt6svg6 qt6-image-formats-plugins; do
    [[ $depends == *"$dependency"* ]] || fail "the package does not depend on $dependency: $depends"
done
echo "the package holds the program and its desktop files; depends on: $depends"
