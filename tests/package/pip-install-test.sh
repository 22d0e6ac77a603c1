#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# pip-install-test.sh SOURCE_DIR [WORK_DIR]
#   The README's pip install for real: a clone of SOURCE_DIR's committed state, a venv that sees
#   Debian's numpy, `pip install --no-build-isolation .` (a full Release build of the engine),
#   then the installed module imported from another folder, where it must find its catalog and
#   fit a sample as the build's kalibra does. Not part of ctest: it builds the engine once more.
set -euo pipefail
source=$(cd "$1" && pwd)
work=${2:-$(mktemp -d)}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
rm -rf "$work/src" "$work/venv"
git clone -q "$source" "$work/src"
/usr/bin/python3 -m venv --system-site-packages "$work/venv"
(cd "$work/src" && "$work/venv/bin/pip" install -q --no-build-isolation .) || fail "pip install"
cd "$work"
"$work/venv/bin/python" - "$source/data/horse-kicks.dat" "$work/venv" <<'PY' || fail "the installed module"
import sys
import vostra_kalibra as vk
assert vk.__file__.startswith(sys.argv[2]), vk.__file__
assert len(vk.catalog()) == 223
r = vk.fit(sys.argv[1], "Poisson")
assert r.status == 0 and r.df == 2, r
print("pip install: vostra_kalibra", vk.__file__, "fits", r.name, r.chi2)
PY
