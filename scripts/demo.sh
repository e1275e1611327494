#!/usr/bin/env bash
# The demo deployment: builds the programs, simulates a logger's SD card for one night, imports
# it into ZV1 files, shows the first file's minute map and header, finds the calls (the summary
# lines give the calls of each species), adds them to a survey with its report, and opens
# the ZV1/ZV2 file set in the window (or, with no display, saves screenshots of the window with
# the files open).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset release >/dev/null
cmake --build build/release -j "$jobs" --target zorvel-cli zorvel

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

# The night as a survey: its deployment, night, passes and species-nights in one database, the
# species-nights as CSV and the survey report as PDF.
"$cli" survey add "$out/survey.zvs" "${made[@]/%.ZV1/.ZV2}"
"$cli" survey list "$out/survey.zvs"
"$cli" survey export "$out/survey.zvs" --table species-nights --out "$out/species-nights.csv"
"$cli" survey report "$out/survey.zvs" --out "$out/report.pdf"

gui=./build/release/src/ui/zorvel
if [ -x "$gui" ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$gui" --open "$first" "$second"
  else
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen.png" --size 1920x1080 --open "$first" "$second"
    # The night at 5 minutes a column (raw wave groups by frequency, calls by type); then the first
    # screen at 5 ms a pixel that holds more than one wave group (found by scroll right with the
    # ZV1 file as seek file), raw amplitudes below and the calls' frequencies above.
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen-low.png" --size 1920x1080 --open "$first" "$second" \
      --level 13 --y-axis freq calltype
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen-high.png" --size 1920x1080 --open "$first" "$second" \
      --level 7 --seek --y-axis amplitude freq
    echo "no display: saved $out/screen.png, $out/screen-low.png and $out/screen-high.png"
  fi
fi
