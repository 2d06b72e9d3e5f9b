#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Velicort and starts it with the given files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/setup.sh"
echo "==> Starting Velicort"
exec "$here/${BUILD_DIR:-build}/velicort" "$@"
