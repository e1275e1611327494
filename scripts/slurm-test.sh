#!/usr/bin/env bash
# The cluster test: a real one-node Slurm on this machine runs a simulated scheme through the
# generated batch scripts, and the merged survey must equal the one-machine survey.
#
# WARNING: this script changes the machine. It installs the Debian packages slurm-wlm and munge
# (apt-get, as root), and starts its own munged, slurmctld and slurmd, listening on localhost only.
# It stops exactly the daemons it started when it ends (also on failure or Ctrl+C), and keeps all
# of their state in one temporary folder. CI runs it after the test command; run it by hand only
# when you mean to.
#
# Settings that this sandbox needs, and why:
#   ProctrackType=proctrack/linuxproc, TaskPlugin=task/none: the cgroup file systems are not ours
#     to write (a container's v1 hierarchy), so processes are tracked through /proc instead.
#   JobAcctGatherType=jobacct_gather/linux, no AccountingStorage: no database daemon is needed.
#   SelectType=select/cons_tres with CR_Core_Memory: two one-CPU tasks run side by side, and a
#     task's --mem is a real limit to fit.
#   SlurmUser=root, private ports and a private munge socket (AuthInfo): nothing collides with a
#     system Slurm or munge that may already run on the machine.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cli=${ZORVEL_CLI:-$repo/build/dev/src/cli/zorvel-cli}

if ! command -v slurmctld >/dev/null || ! command -v munged >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends slurm-wlm munge sqlite3
fi
if [[ ! -x $cli ]]; then
  (cd "$repo" && cmake --preset dev && cmake --build build/dev -j "$(nproc)" --target zorvel-cli)
fi

work=$(mktemp -d /tmp/zorvel-slurm.XXXXXX)
chmod 0755 "$work"
pids=()
cleanup() {
  local rc=$?
  for pidfile in "$work/slurmd.pid" "$work/slurmctld.pid" "$work/munged.pid"; do
    if [[ -s $pidfile ]]; then
      local pid
      pid=$(cat "$pidfile")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
  done
  if [[ $rc -ne 0 ]]; then
    echo "slurm-test: FAILED (exit $rc); daemon logs follow" >&2
    for log in "$work"/*.log; do [[ -f $log ]] && { echo "== $log" >&2; tail -n 30 "$log" >&2; }; done
  fi
  rm -rf "$work"
  exit $rc
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# munge: its own key, socket, pid and log under $work.
mkdir -p "$work/munge"
chmod 0700 "$work/munge"
dd if=/dev/urandom of="$work/munge/munge.key" bs=1024 count=1 status=none
chmod 0400 "$work/munge/munge.key"
munged --force --key-file="$work/munge/munge.key" --socket="$work/munge/munge.sock" \
  --pid-file="$work/munged.pid" --log-file="$work/munged.log" --seed-file="$work/munge/seed"
for _ in $(seq 50); do [[ -S $work/munge/munge.sock ]] && break; sleep 0.1; done

node=$(hostname -s)
mem=$(awk '/MemTotal/ { printf "%d", $2 / 1024 * 0.8 }' /proc/meminfo)
mkdir -p "$work/state" "$work/spool"
export SLURM_CONF=$work/slurm.conf
cat >"$SLURM_CONF" <<CONF
ClusterName=zorveltest
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=16817
SlurmdPort=16818
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/munge/munge.sock
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/linux
JobAcctGatherFrequency=5
SelectType=select/cons_tres
SelectTypeParameters=CR_Core_Memory
SchedulerType=sched/backfill
MpiDefault=none
ReturnToService=2
SlurmctldTimeout=30
SlurmdTimeout=30
InactiveLimit=0
KillWait=5
MinJobAge=600
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) RealMemory=$mem State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF

slurmctld -f "$SLURM_CONF"
slurmd -f "$SLURM_CONF"
ready=0
for _ in $(seq 60); do
  if sinfo -h -o '%T' 2>/dev/null | grep -qx idle; then ready=1; break; fi
  sleep 1
done
[[ $ready -eq 1 ]] || { echo "slurm-test: the node did not come up" >&2; exit 1; }

# 1. The cluster itself: a trivial job.
out=$(sbatch --parsable --wait --output="$work/hostname.out" --wrap hostname)
[[ "$(cat "$work/hostname.out")" == "$(hostname)" ]] || { echo "slurm-test: hostname job $out gave '$(cat "$work/hostname.out")'" >&2; exit 1; }
echo "slurm-test: cluster up, job $out ran"
