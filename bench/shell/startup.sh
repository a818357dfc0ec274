#!/usr/bin/env bash
# Time from the program's entry to the first painted main window with a 200-box format (in
# process, and as a whole process beside a bare QMainWindow process: time and peak memory),
# on the offscreen platform and, when Xvfb is there, on an X display.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target startup_bench >/dev/null
echo "== offscreen"
QT_QPA_PLATFORM=offscreen ./build/bench/shell/startup_bench "$@"
if command -v xvfb-run >/dev/null; then
  echo "== Xvfb 1366x768"
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24" ./build/bench/shell/startup_bench "$@"
fi
