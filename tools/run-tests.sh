#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test twice: with GCC, and with Clang
# under AddressSanitizer and UndefinedBehaviorSanitizer. The GCC run includes the Python
# module's pytest suites; the sanitizer build leaves the module out (an interpreter without the
# sanitizers' runtime cannot load it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)

echo "== GCC build and tests"
"$root/tools/build.sh" "$root/build/gcc" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++
ctest --test-dir "$root/build/gcc" --output-on-failure -j "$jobs"
# The desktop's tests are part of the suite: a run without them has not tested the program.
gui_tests=$(ctest --test-dir "$root/build/gcc" -N -R '^(MainWindow|FittingTabs|Chart)' |
  sed -n 's/^Total Tests: //p')
if [ "${gui_tests:-0}" -eq 0 ]; then
  echo "run-tests: the desktop's tests were not built" >&2
  exit 1
fi
# Likewise the Python module's.
python_tests=$(ctest --test-dir "$root/build/gcc" -N -R '^Python/' | sed -n 's/^Total Tests: //p')
if [ "${python_tests:-0}" -eq 0 ]; then
  echo "run-tests: the Python module's tests were not built" >&2
  exit 1
fi

echo "== Clang ASan+UBSan build and tests"
"$root/tools/build.sh" "$root/build/asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DVK_SANITIZE=ON -DVK_BUILD_BENCH=OFF -DVK_BUILD_PYTHON=OFF
# The recorded outputs are the release build's numbers; this build (another compiler, no
# optimisation) may part from them in the last digits where a fit amplifies a rounding, so it
# checks memory and undefined behaviour on every test but those comparisons.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs" -E '^SampleFiles/Golden'
