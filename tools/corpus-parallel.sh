#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fits one distribution to every data set of a long table with GNU parallel, in one of two ways
# (docs/scale.md):
#
#   tools/corpus-parallel.sh shards N TABLE [batch options] > all.jsonl
#       N processes, each reading the whole table and fitting its shard (--shard I/N); add
#       PARALLEL="--sshlogin host1,host2" to spread them over machines that see TABLE.
#   tools/corpus-parallel.sh pipe LINES TABLE.jsonl [batch options] > all.jsonl
#       the JSON Lines table cut into blocks of LINES data sets, each fitted by its own process
#       (one data set per line, so a block never splits one); the output keeps the input order.
#
# KALIBRA names the program (default: kalibra on the PATH). A data set that cannot be fitted is
# a line with its status in the output, not a failed process (kalibra's exit codes 1 to 18); the
# exit status is 0 only when every process got through its part of the table.
set -euo pipefail
# One process's part, run by parallel: kalibra with "some data sets failed" taken as done.
if [ "${1:-}" = _teil ]; then
  shift
  code=0
  "${KALIBRA:-kalibra}" batch "$@" --format jsonl --jobs 1 || code=$?
  [ "$code" -le 18 ] && exit 0
  exit "$code"
fi
if [ $# -lt 3 ]; then
  echo "usage: $0 shards N TABLE [options] | pipe LINES TABLE.jsonl [options]" >&2
  exit 64
fi
art=$1
zahl=$2
table=$3
shift 3
selbst=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
export KALIBRA=${KALIBRA:-kalibra}
case $art in
  shards)
    # shellcheck disable=SC2086
    seq 1 "$zahl" | parallel ${PARALLEL:-} --halt now,fail=1 \
      "$selbst" _teil --table "$table" --shard "{}/$zahl" "$@"
    ;;
  pipe)
    # shellcheck disable=SC2086
    parallel ${PARALLEL:-} --pipe -N "$zahl" --keep-order --halt now,fail=1 \
      "$selbst" _teil --table - --table-format jsonl "$@" <"$table"
    ;;
  *)
    echo "$0: shards or pipe, not '$art'" >&2
    exit 64
    ;;
esac
