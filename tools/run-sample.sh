#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs the main job on a bundled sample data set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
  -DVK_BUILD_TESTS=OFF -DVK_BUILD_BENCH=OFF
"$root/build/release/app/kalibra/kalibra" stats "$root/data/horse-kicks.dat"
