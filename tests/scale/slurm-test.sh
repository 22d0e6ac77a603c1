#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tests/scale/slurm-test.sh KALIBRA [DATASETS]: starts a private single-node Slurm (munge,
# slurmctld and slurmd configured in a temporary directory, on free ports, stopped afterwards),
# runs tools/slurm-corpus.sh as a job array of 4 shards over a table of DATASETS (20 000) data
# sets, gathers the shards and compares them, sorted by id, byte for byte with one process's run.
# Exits 77 (skipped) where slurm-wlm or munge is not installed: apt install slurm-wlm munge.
set -euo pipefail
kalibra=$1
anzahl=${2:-20000}
hier=$(cd "$(dirname "$0")" && pwd)
wurzel=$(cd "$hier/../.." && pwd)
for p in slurmctld slurmd sbatch sinfo munged mungekey; do
  if ! command -v "$p" >/dev/null; then
    echo "slurm-test: skipped: $p is not installed (apt install slurm-wlm munge)"
    exit 77
  fi
done
tmp=$(mktemp -d /tmp/vk-slurm.XXXXXX)
chmod 755 "$tmp"
stoppen() {
  for d in slurmd slurmctld munged; do
    [ -f "$tmp/$d.pid" ] && kill "$(cat "$tmp/$d.pid")" 2>/dev/null || true
  done
  sleep 1
  rm -rf "$tmp"
}
trap stoppen EXIT
export XDG_CONFIG_HOME=$tmp/config LC_ALL=C.UTF-8

frei() {  # a TCP port nobody listens on
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
benutzer=$(id -un)
knoten=$(hostname -s)
mkdir -p "$tmp/state" "$tmp/spool" "$tmp/out"

mungekey --create --keyfile="$tmp/munge.key"
chmod 600 "$tmp/munge.key"
# munged refuses to run as root without --force; here it serves this test alone.
munged --socket="$tmp/munge.sock" --key-file="$tmp/munge.key" --pid-file="$tmp/munged.pid" \
  --log-file="$tmp/munged.log" --seed-file="$tmp/munge.seed" --force

cat >"$tmp/slurm.conf" <<KONF
ClusterName=vktest
SlurmctldHost=$knoten
SlurmUser=$benutzer
SlurmdUser=$benutzer
SlurmctldPort=$(frei)
SlurmdPort=$(frei)
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$tmp/munge.sock
StateSaveLocation=$tmp/state
SlurmdSpoolDir=$tmp/spool
SlurmctldPidFile=$tmp/slurmctld.pid
SlurmdPidFile=$tmp/slurmd.pid
SlurmctldLogFile=$tmp/slurmctld.log
SlurmdLogFile=$tmp/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
MpiDefault=none
ReturnToService=2
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
NodeName=$knoten CPUs=$(nproc) State=UNKNOWN
PartitionName=vktest Nodes=ALL Default=YES MaxTime=INFINITE State=UP
KONF
export SLURM_CONF=$tmp/slurm.conf
slurmctld -f "$SLURM_CONF"
slurmd -f "$SLURM_CONF"
for _ in $(seq 60); do
  sinfo -h -o %t 2>/dev/null | grep -qx idle && break
  sleep 1
done
sinfo -h -o %t | grep -qx idle || { echo "slurm-test: the node did not come up" >&2; cat "$tmp"/*.log >&2; exit 1; }

python3 "$wurzel/tools/corpus-table.py" "$anzahl" --seed 11 >"$tmp/korpus.csv"
sbatch --wait --array=1-4 --chdir="$tmp" --export=ALL,KALIBRA="$kalibra" \
  "$wurzel/tools/slurm-corpus.sh" "$tmp/korpus.csv" "$tmp/out" -d 4 >/dev/null
for i in 1 2 3 4; do
  [ -f "$tmp/out/shard-$i.jsonl" ] || { echo "slurm-test: shard $i missing" >&2; cat "$tmp"/kalibra-corpus-*.log >&2; exit 1; }
done
# Exit codes 1 to 18: some data sets could not be fitted; each is a line with its status.
code=0
"$kalibra" batch -d 4 --table "$tmp/korpus.csv" --format jsonl --jobs 1 >"$tmp/eins.jsonl" 2>"$tmp/eins.err" || code=$?
[ "$code" -le 18 ] || exit "$code"
python3 "$hier/sortiert.py" "$tmp/eins.jsonl" >"$tmp/eins.sortiert"
[ "$(wc -l <"$tmp/eins.sortiert")" -eq "$anzahl" ] || { echo "slurm-test: one process did not give $anzahl lines" >&2; exit 1; }
python3 "$hier/sortiert.py" "$tmp"/out/shard-*.jsonl | cmp - "$tmp/eins.sortiert"
echo "slurm-test: 4 array tasks over $anzahl data sets agree with one process"
