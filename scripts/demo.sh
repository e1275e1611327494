#!/usr/bin/env bash
# The demo deployment: builds the programs, makes a sample data file, shows its header and
# minute map, finds the calls of a simulated night, and opens the sample in the window (or,
# with no display, saves a screenshot of it).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset release >/dev/null
cmake --build build/release -j "$jobs"

out=demo
mkdir -p "$out"
sample="$out/Demo meadow file1.ZV1"
./build/release/bench/make_sample "$sample" 120
./build/release/src/cli/zorvel-cli info "$sample"
./build/release/src/cli/zorvel-cli map "$sample"

# A simulated night on a logger's SD card, read into ZV1 files, and its calls found: the
# summary lines give the calls of each species.
rm -rf "$out/card" "$out/card_truth.txt" "$out/night"
mkdir -p "$out/night"
./build/release/src/cli/zorvel-cli simulate --out "$out/card" --nights 1
mapfile -t made < <(./build/release/src/cli/zorvel-cli import "$out/card" --out "$out/night" --location "Demo meadow" --quiet)
./build/release/src/cli/zorvel-cli find-calls "${made[@]}"

gui=./build/release/src/ui/zorvel
if [ -x "$gui" ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$gui" --open "$sample"
  else
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen.png" --size 1920x1080 --open "$sample"
    echo "no display: saved $out/screen.png"
  fi
fi
