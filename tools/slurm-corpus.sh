#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Slurm job array that fits one distribution to every data set of a long table, one shard per
# array task; docs/scale.md says how to run and gather it.
#
#   sbatch --array=1-N [--cpus-per-task=C] tools/slurm-corpus.sh TABLE OUTDIR [batch options]
#
# Task I of N fits the data sets whose id hashes to shard I of N (`kalibra batch --shard I/N`)
# into OUTDIR/shard-I.jsonl, so the N files together hold each data set exactly once; gather
# them with `cat OUTDIR/shard-*.jsonl`. KALIBRA names the program (default: kalibra on the PATH).
# A shard's file appears only when its task got through the whole table: a task that died leaves
# no file to be mistaken for a whole shard, and can be run again alone (--array=I).
#SBATCH --job-name=kalibra-corpus
#SBATCH --output=kalibra-corpus-%A_%a.log
set -euo pipefail
if [ $# -lt 2 ] || [ -z "${SLURM_ARRAY_TASK_ID:-}" ]; then
  echo "usage: sbatch --array=1-N $0 TABLE OUTDIR [kalibra batch options]" >&2
  exit 64
fi
table=$1
out=$2
shift 2
i=$SLURM_ARRAY_TASK_ID
n=${SLURM_ARRAY_TASK_COUNT:?the array must be given as --array=1-N}
mkdir -p "$out"
code=0
"${KALIBRA:-kalibra}" batch --table "$table" --shard "$i/$n" --format jsonl \
  --jobs "${SLURM_CPUS_PER_TASK:-1}" "$@" >"$out/shard-$i.jsonl.part" || code=$?
# Exit codes 1 to 18 say that some data sets could not be fitted (each is a line of the file
# with its status): the shard is complete and the task succeeded. Anything else means it is not.
if [ "$code" -le 18 ]; then
  mv "$out/shard-$i.jsonl.part" "$out/shard-$i.jsonl"
  exit 0
fi
exit "$code"
