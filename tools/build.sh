#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/build.sh DIR [CMAKE ARGS...]: configures (once) and builds the project into DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
jobs=$(nproc 2>/dev/null || echo 2)
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$dir" -j "$jobs"
