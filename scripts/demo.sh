#!/usr/bin/env bash
# The demo deployment: builds the programs, simulates a logger's SD card for one night, imports
# it into ZV1 files, shows the first file's minute map and header, finds the calls (the summary
# lines give the calls of each species), and opens the ZV1/ZV2 file set in the window (or, with
# no display, saves a screenshot of the window with the files open).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset release >/dev/null
cmake --build build/release -j "$jobs"

cli=./build/release/src/cli/zorvel-cli
out=demo
rm -rf "$out"
mkdir -p "$out/zv1"
"$cli" simulate --out "$out/sdcard" --nights 1 --seed 42
"$cli" import "$out/sdcard" --out "$out/zv1" --location "Demo meadow" --lat "51 30 N" --long "0 7 W" \
  --notes "Simulated night" --utc "+0" > "$out/made.txt"
cat "$out/made.txt"
mapfile -t made < "$out/made.txt"
first="${made[0]}"
"$cli" map "$first"
"$cli" info "$first"
"$cli" find-calls "${made[@]}"
second="${first%.ZV1}.ZV2"

gui=./build/release/src/ui/zorvel
if [ -x "$gui" ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$gui" --open "$first" "$second"
  else
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen.png" --size 1920x1080 --open "$first" "$second"
    echo "no display: saved $out/screen.png"
  fi
fi
