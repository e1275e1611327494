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
    echo "no display: saved $out/screen.png"
  fi
fi
