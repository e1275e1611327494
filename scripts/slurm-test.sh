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
  apt-get install -y --no-install-recommends slurm-wlm munge
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

# 2. A simulated scheme of 20 deployments: different loggers, places, offsets, starts and both
#    classifiers.
scheme=$work/scheme
mkdir -p "$scheme"
echo "input,site,lat,long,utc,time_expansion,classifier" >"$scheme/manifest.csv"
for i in $(seq 1 20); do
  "$cli" simulate --out "$scheme/card$i" --nights 2 --seed "$i" --logger-id $((4000 + i)) \
    --start "2026-06-$(printf %02d $((1 + i % 9))) 18:00" --activity 0.5 --file-mib 2 >/dev/null
  classifier=$([[ $((i % 4)) -eq 0 ]] && echo ZorvelEU1 || true)
  echo "card$i,Site $i,$((45 + i % 10)).$i,-$((i % 5)).25,+$((i % 3)),,$classifier" >>"$scheme/manifest.csv"
done

# The same inputs on one machine: import, then survey add with call finding.
one=$work/one
mkdir -p "$one"
tail -n +2 "$scheme/manifest.csv" | while IFS=, read -r input site lat long utc _ classifier; do
  "$cli" import "$scheme/$input" --out "$one/$input" --location "$site" --lat "$lat" --long "$long" --utc "$utc" --quiet >/dev/null
  "$cli" survey add "$one/survey.zvs" "$one/$input" --find-calls ${classifier:+--classifier "$classifier"} >/dev/null 2>&1
done

export_all() {  # survey file → one text of every public table
  local csv
  csv=$(mktemp -p "$work" export.XXXXXX.csv)
  for table in deployments nights passes species-nights; do
    "$cli" survey export "$1" --table "$table" --out "$csv" >/dev/null 2>&1
    echo "== $table"
    cat "$csv"
  done
  rm -f "$csv"
}
export_all "$one/survey.zvs" >"$work/one.txt"
[[ $(wc -l <"$work/one.txt") -gt 100 ]] || { echo "slurm-test: the one-machine survey is nearly empty" >&2; exit 1; }

wait_for_jobs() {  # until none of the given jobs is pending or running
  for _ in $(seq 900); do
    [[ -z $(squeue -h -j "$1" 2>/dev/null) ]] && return 0
    sleep 1
  done
  echo "slurm-test: jobs $1 did not end" >&2
  return 1
}

submit() {  # runs the submit lines that `batch slurm` printed; sets array and merge job ids
  local lines
  lines=$("$cli" batch slurm "$1" --jobs 1 --time 00:30:00 --out "$2")
  echo "$lines" | sed 's/^/slurm-test: submit: /'
  eval "$(echo "$lines" | sed -n 1p)"
  array_job=${jid%%;*}
  merge_job=$(eval "$(echo "$lines" | sed -n 2p | sed 's/^sbatch /sbatch --parsable /')")
  merge_job=${merge_job%%;*}
}

check_merged() {
  export_all "$1" >"$work/merged.txt"
  if ! cmp -s "$work/one.txt" "$work/merged.txt"; then
    echo "slurm-test: the merged survey differs from the one-machine survey:" >&2
    diff "$work/one.txt" "$work/merged.txt" | head -20 >&2
    exit 1
  fi
}

# 3. Four array tasks and the merge after them.
"$cli" batch plan "$scheme/manifest.csv" --shards 4 --out "$work/plan" >/dev/null 2>&1
submit "$work/plan" "$work/merged.zvs"
wait_for_jobs "$array_job,$merge_job"
[[ -f $work/merged.zvs ]] || { echo "slurm-test: the merge job made no survey" >&2; cat "$work/plan/slurm/"*.out >&2; exit 1; }
check_merged "$work/merged.zvs"
echo "slurm-test: 4 tasks and their merge equal the one-machine survey"

# 4. A task cancelled while it runs: the merge job never starts, a merge by hand names the shard,
#    and a second submission finishes the shard (skipping what it did) and merges the same survey.
"$cli" batch plan "$scheme/manifest.csv" --shards 4 --out "$work/plan2" >/dev/null 2>&1
submit "$work/plan2" "$work/merged2.zvs"
cancelled=0
for _ in $(seq 600); do
  done_inputs=$(grep -c ',done,' "$work/plan2/shard-1/status.csv" 2>/dev/null || true)
  if [[ ${done_inputs:-0} -ge 1 ]]; then
    scancel "${array_job}_1"
    cancelled=1
    break
  fi
  sleep 0.1
done
[[ $cancelled -eq 1 ]] || { echo "slurm-test: shard 1 never started" >&2; exit 1; }
wait_for_jobs "$array_job,$merge_job"
state=$(sacct -n -X -j "${array_job}_1" -o State 2>/dev/null | head -1 | tr -d ' ' || true)
echo "slurm-test: cancelled task ${array_job}_1 after $done_inputs input(s)${state:+ ($state)}"
[[ ! -f $work/merged2.zvs ]] || { echo "slurm-test: the merge ran although a task was cancelled" >&2; exit 1; }
if "$cli" batch merge "$work/plan2" --out "$work/merged2.zvs" 2>"$work/refusal.txt"; then
  echo "slurm-test: the merge did not refuse the cancelled shard" >&2
  exit 1
fi
grep -q 'shard-1' "$work/refusal.txt" || { echo "slurm-test: the refusal does not name shard-1:" >&2; cat "$work/refusal.txt" >&2; exit 1; }
submit "$work/plan2" "$work/merged2.zvs"
wait_for_jobs "$array_job,$merge_job"
grep -q 'already done, skipped' "$work/plan2/slurm/shard-1.out" ||
  { echo "slurm-test: the resubmitted shard did not skip its finished inputs" >&2; cat "$work/plan2/slurm/shard-1.out" >&2; exit 1; }
[[ -f $work/merged2.zvs ]] || { echo "slurm-test: the resubmitted merge made no survey" >&2; cat "$work/plan2/slurm/"*.out >&2; exit 1; }
check_merged "$work/merged2.zvs"
echo "slurm-test: after the cancelled task and a resubmission the merge equals the one-machine survey"
# 5. Timing, when asked (SLURM_TEST_TIMING=1): 20 larger cards as 1 shard against 2 shards as two
#    one-CPU tasks side by side; from submission until the array job has ended, best of two.
if [[ ${SLURM_TEST_TIMING:-0} == 1 ]]; then
  big=$work/big
  mkdir -p "$big"
  echo "input,site,lat,long,utc,time_expansion,classifier" >"$big/manifest.csv"
  for i in $(seq 1 20); do
    "$cli" simulate --out "$big/card$i" --nights "${SLURM_TEST_NIGHTS:-8}" --seed "$i" --logger-id $((7000 + i)) >/dev/null
    echo "card$i,Big $i,51.$i,-1.5,+1,,," >>"$big/manifest.csv"
  done
  echo "slurm-test: timing: $(du -sb "$big" | cut -f1) bytes of cards"
  declare -A took
  for n in 1 2 1 2; do
    rm -rf "$work/time$n"
    "$cli" batch plan "$big/manifest.csv" --shards $n --out "$work/time$n" >/dev/null 2>&1
    t0=$(date +%s%N)
    submit "$work/time$n" "$work/time$n.zvs" >/dev/null
    for _ in $(seq 9000); do [[ -z $(squeue -h -j "$array_job" 2>/dev/null) ]] && break; sleep 0.1; done
    ms=$((($(date +%s%N) - t0) / 1000000))
    wait_for_jobs "$merge_job"
    [[ -f $work/time$n.zvs ]] || { echo "slurm-test: timing run of $n shard(s) made no survey" >&2; exit 1; }
    echo "slurm-test: timing: $n shard(s): $ms ms"
    [[ -z ${took[$n]:-} || $ms -lt ${took[$n]} ]] && took[$n]=$ms
  done
  cmp -s <(export_all "$work/time1.zvs") <(export_all "$work/time2.zvs") ||
    { echo "slurm-test: timing: 1 and 2 shards merged different surveys" >&2; exit 1; }
  awk -v a="${took[1]}" -v b="${took[2]}" 'BEGIN { printf "slurm-test: timing: best 1 shard %d ms, best 2 shards %d ms, ratio %.2f\n", a, b, b / a }'
fi
echo "slurm-test: passed"
