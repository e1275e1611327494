#!/usr/bin/env bash
# Batch figures, as whole zorvel-cli processes on simulated SD cards:
#   throughput  a shard run (import, find calls, add to the shard survey) against plain `import`
#               then `find-calls` of the same cards, taken in turns; best of RUNS each
#   merge       `batch merge` of 100 shard surveys (one card each)
#
#   bash bench/batch_timing.sh [throughput|merge|all] [RUNS]
#
# Uses the release zorvel-cli (ZORVEL_CLI to override). The cards are made in a temporary
# folder that is removed at the end.
set -euo pipefail
cli=${ZORVEL_CLI:-./build/release/src/cli/zorvel-cli}
what=${1:-all}
runs=${2:-3}
[ -x "$cli" ] || { echo "build the release zorvel-cli first: cmake --build build/release --target zorvel-cli" >&2; exit 2; }
cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

throughput() {
  local cards=6 bytes best_plain=999999999 best_batch=999999999
  echo "input,site,lat,long,utc,time_expansion,classifier" >"$work/t.csv"
  for i in $(seq 1 $cards); do
    "$cli" simulate --out "$work/t$i" --nights 3 --seed "$i" --logger-id $((5000 + i)) >/dev/null
    echo "t$i,Site $i,51.$i,-1.5,+1,,," >>"$work/t.csv"
  done
  bytes=$(du -sb "$work"/t[0-9]* | awk '{ s += $1 } END { print s }')
  for r in $(seq 1 "$runs"); do
    rm -rf "$work/plain"
    local t0 t1
    t0=$(now_ms)
    for i in $(seq 1 $cards); do
      "$cli" import "$work/t$i" --out "$work/plain/t$i" --location "Site $i" --lat 51.$i --long -1.5 --utc +1 --quiet >/dev/null
      "$cli" find-calls "$work/plain/t$i"/*.ZV1 --jobs 1 >/dev/null 2>&1
    done
    t1=$(now_ms)
    best_plain=$((t1 - t0 < best_plain ? t1 - t0 : best_plain))
    rm -rf "$work/tplan"
    t0=$(now_ms)
    "$cli" batch plan "$work/t.csv" --shards 1 --out "$work/tplan" >/dev/null 2>&1
    "$cli" batch run "$work/tplan" --shard 1 --jobs 1 2>/dev/null
    t1=$(now_ms)
    best_batch=$((t1 - t0 < best_batch ? t1 - t0 : best_batch))
    echo "run $r: import+find-calls $((best_plain)) ms best so far, batch run $((best_batch)) ms best so far"
  done
  awk -v b="$bytes" -v p="$best_plain" -v s="$best_batch" 'BEGIN {
    printf "throughput: %d cards, %.1f MB; import+find-calls %.1f MB/s (%d ms), shard run %.1f MB/s (%d ms), shard/plain time %.3f\n",
      6, b / 1e6, b / 1e3 / p, p, b / 1e3 / s, s, s / p }'
}

merge() {
  local n=100
  echo "input,site,lat,long,utc,time_expansion,classifier" >"$work/m.csv"
  for i in $(seq 1 $n); do
    "$cli" simulate --out "$work/m$i" --nights 1 --seed "$i" --logger-id $((6000 + i)) --activity 0.3 >/dev/null
    echo "m$i,Site $i,5$((i % 10)).$i,-1.5,+1,,," >>"$work/m.csv"
  done
  "$cli" batch plan "$work/m.csv" --shards $n --out "$work/mplan" >/dev/null 2>&1
  for k in $(seq 1 $n); do "$cli" batch run "$work/mplan" --shard "$k" --jobs 2 2>/dev/null; done
  local t0 t1
  t0=$(now_ms)
  "$cli" batch merge "$work/mplan" --out "$work/merged.zvs"
  t1=$(now_ms)
  echo "merge: $n shard surveys in $((t1 - t0)) ms ($(du -b "$work/merged.zvs" | cut -f1) bytes)"
}

case $what in
  throughput) throughput ;;
  merge) merge ;;
  all) throughput; merge ;;
  *) echo "usage: $0 [throughput|merge|all] [RUNS]" >&2; exit 2 ;;
esac
