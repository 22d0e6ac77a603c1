# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the benchmark scripts: a scratch folder `tmp` removed on exit, a settings folder of
# its own (so that a user's stored settings never change a figure), the C locale for numbers,
# and `maschine_nennen`, which names the machine and its load: they decide how far wall time
# is from CPU time.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME=$tmp/config LC_ALL=C.UTF-8

maschine_nennen() {
  echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $(uname -sr)"
}
