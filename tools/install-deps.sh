#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that the build, the tests, the benchmarks and the desktop
# application need. Quick when everything is there: apt is only asked when a package is missing.
set -euo pipefail

packages=(
  g++ clang libclang-rt-14-dev cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libssl-dev libcsv-dev
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev libgl-dev
  # Qt Charts' CMake package loads Qt OpenGL's, which apt does not bring without recommends.
  libqt6opengl6-dev
  xvfb xauth
  # The corpus commands' recipe and its test: GNU parallel; the test tables come from Python.
  parallel python3
  # The Debian package: manual pages from the programs' --help, dependencies computed by
  # dpkg-shlibdeps (which CPack drives through file), and lintian for the package's test.
  help2man dpkg-dev file lintian
  # The Python module: pybind11, the interpreter's headers, numpy, its tests' pytest, pandas and
  # mypy (results into DataFrames, the type stub against the module), and setuptools and venv
  # for the pip install from the repository.
  pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pytest python3-pandas mypy
  python3-setuptools python3-venv python3-pip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  sudo=sudo
fi
echo "install-deps: installing ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
