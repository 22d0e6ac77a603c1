#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs the main job on a bundled sample data set: the
# desktop application when there is a display, otherwise the automatic fitting on the command
# line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
  -DVK_BUILD_TESTS=OFF -DVK_BUILD_BENCH=OFF
sample="$root/data/shell-accidents.dat"
gui="$root/build/release/app/vostra-kalibra/vostra-kalibra"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$gui" ]; then
  exec "$gui" "$sample"
fi
"$root/build/release/app/kalibra/kalibra" auto "$sample" --sort p
