#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared set-up of run.sh and test.sh: installs the Debian packages that are
# missing, then configures and builds the release build in ./build.
set -euo pipefail

PACKAGES=(g++ cmake ninja-build ccache pkgconf
          python3  # makes the HTML reference at build time
          qt6-base-dev qt6-image-formats-plugins libqt6svg6 qt6-webengine-dev libqscintilla2-qt6-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          libhunspell-dev hunspell-en-us hunspell  # spelling; hunspell is the benchmark's baseline
          libcurl4-openssl-dev python3-pyftpdlib python3-asyncssh  # publishing and its test servers
          clang libclang-rt-14-dev  # the fuzz targets: clang and its libFuzzer
          librsvg2-bin scdoc desktop-file-utils appstream dpkg-dev  # packaging: icons, manual pages, their checks, the Debian package
          libtidy-dev tidy  # the companion validator; tidy is its tests' and benchmark's baseline
          linkchecker)  # the link benchmarks' baseline

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "==> Installing missing packages: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    echo "==> Configuring a release build in $BUILD_DIR"
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
echo "==> Building in $BUILD_DIR"
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
