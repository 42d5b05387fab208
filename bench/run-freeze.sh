#!/usr/bin/env bash
# Builds tarvik.exe, the stand-ins and the freeze benchmark in build/win64,
# then measures under Wine how long each command against a target that has
# just stopped answering holds Tarvik up, and the longest answer beside the
# RE Transit window's passes. Prints the samples, medians and worst cases.
# Arguments go to freeze_bench.exe, e.g. --rounds 5.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Without a display, the whole script runs again under Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

source bench/bench-build.sh
# Build progress goes to stderr: stdout carries only the figures.
cmake --build "$build" --target tarvik standins freeze_bench >&2
echo "build type: $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
source cmake/wine-env.sh "$build"

# No Wine process may hold this script's output open, or it never ends.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
wine "$build/bin/freeze_bench.exe" "$@" </dev/null >"$log" 2>&1 || status=$?
tr -d '\r' <"$log"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
# Bounded: another user of the prefix may keep its wineserver running.
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
exit "$status"
