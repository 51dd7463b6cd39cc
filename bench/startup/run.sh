#!/usr/bin/env bash
# Start-up benchmark, run on demand (not part of the tests):
#   bench/startup/run.sh [RUNS]        RUNS starts of each program, 15 when not given
# Builds the win64 preset's ralimet.exe, the bare window program beside this script and the
# timer, then times both programs from inside one Wine session in a headless prefix of its own
# (build/win64/wine-bench), so Wine's own start is not counted: startup_timer.exe starts them in
# turn, polls for the visible top-level window and prints the medians and their ratio.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-15}

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target ralimet bare_window startup_timer

prefix=$PWD/build/win64/wine-bench
stop_wine() { WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true; }
trap stop_wine EXIT

timeout 600 cmake/wine-run --prefix "$prefix" build/win64/bench/startup/startup_timer.exe "$runs" \
  "$PWD/build/win64/src/ralimet.exe" "$PWD/build/win64/bench/startup/bare_window.exe"
echo "ralimet.exe: $(stat -c %s build/win64/src/ralimet.exe) bytes"
