#!/usr/bin/env bash
# Builds tarvik.exe and the list benchmark in build/win64, then times large
# lists under Wine: opening 100,000, 30,000 and 1,000 rows against the
# portable floor, and select, Add, Delete and Save in the 100,000-row list,
# with the program's peak working set. Figures go to stdout.
# Arguments go to list_bench.exe, e.g. --rounds 5.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Without a display, the whole script runs again under Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

source bench/bench-build.sh
# Build progress goes to stderr: stdout carries only the figures.
cmake --build "$build" --target tarvik list_bench >&2
echo "build type: $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
# Other work on the machine slows both the program and the floor, but not
# alike: say how busy it was.
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
source cmake/wine-env.sh "$build"

# The benchmark writes to a file, never to this script's stdout: Wine
# processes started with it would inherit a pipe and keep a reader waiting.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
wine "$build/bin/list_bench.exe" "$@" </dev/null >"$log" 2>&1 || status=$?
tr -d '\r' <"$log"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
exit "$status"
