#!/usr/bin/env bash
# Times whole `zorvel --screenshot` processes on one large data file, a low-resolution screen of
# the whole deployment against a high-resolution screen, taken in turns so that both meet the
# same machine load. Prints each run and the best and median of each kind.
#
#   bash bench/screenshot_timing.sh [DATAFILE] [RUNS] [LOW_LEVEL]
#
# DATAFILE defaults to the 1 GiB sample that bench_display and bench_reader make in the temporary
# folder; LOW_LEVEL (default 15, an hour a column) should fit the whole file on a 1920-pixel
# screen. The first, untimed run makes the map and summary files beside the data file.
set -euo pipefail

gui=${ZORVEL_GUI:-./build/release/src/ui/zorvel}
data=${1:-${TMPDIR:-/tmp}/zorvel_bench_1073741824.ZV1}
runs=${2:-5}
low_level=${3:-15}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

[ -x "$gui" ] || { echo "build the release zorvel first: cmake --build build/release --target zorvel" >&2; exit 2; }
[ -f "$data" ] || { echo "no data file $data (bench_display makes one)" >&2; exit 2; }

shot() {  # level, output name
  QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/$2.png" --size 1920x1080 --open "$data" \
    --level "$1" --y-axis freq > /dev/null 2>&1
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

shot "$low_level" warmup
low=() high=()
for ((i = 1; i <= runs; ++i)); do
  t0=$(now_ms); shot "$low_level" low; t1=$(now_ms); shot 7 high; t2=$(now_ms)
  low+=($((t1 - t0))); high+=($((t2 - t1)))
  echo "run $i: low ${low[-1]} ms, high ${high[-1]} ms"
done

stats() {  # prints "best median" of the arguments
  sorted=($(printf '%s\n' "$@" | sort -n))
  echo "${sorted[0]} ${sorted[$(( ${#sorted[@]} / 2 ))]}"
}
read -r lb lm <<< "$(stats "${low[@]}")"
read -r hb hm <<< "$(stats "${high[@]}")"
echo "low-resolution (level $low_level): best $lb ms, median $lm ms"
echo "high-resolution (level 7):        best $hb ms, median $hm ms"
awk -v l="$lm" -v h="$hm" 'BEGIN { printf "median low / high = %.2f\n", l / h }'
