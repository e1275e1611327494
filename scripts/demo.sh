#!/usr/bin/env bash
# The demo deployment: builds the programs, makes a sample data file, shows its header and
# minute map, and opens it in the window (or, with no display, saves a screenshot of it).
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

gui=./build/release/src/ui/zorvel
if [ -x "$gui" ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$gui" --open "$sample"
  else
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen.png" --size 1920x1080 --open "$sample"
    # A low-resolution screen of the whole evening (1 minute a column) and a high-resolution one
    # of the first pass (5 ms a pixel), amplitude and frequency.
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen-low.png" --size 1920x1080 --open "$sample" \
      --level 12 --y-axis freq
    QT_QPA_PLATFORM=offscreen "$gui" --screenshot "$out/screen-high.png" --size 1920x1080 --open "$sample" "$sample" \
      --level 7 --at "21/06/2026 21:03:06" --y-axis amplitude freq
    echo "no display: saved $out/screen.png, $out/screen-low.png and $out/screen-high.png"
  fi
fi
