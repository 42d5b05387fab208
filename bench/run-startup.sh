#!/usr/bin/env bash
# Builds tarvik.exe and the start-up benchmark in build/win64, then measures
# start-up under Wine and prints the samples, medians and ratio to stdout.
# Arguments go to startup_bench.exe, e.g. --rounds 11.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Without a display, the whole script runs again under Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

source bench/bench-build.sh
# Build progress goes to stderr: stdout carries only the figures.
cmake --build "$build" --target tarvik minimal_window startup_bench >&2
echo "build type: $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
source cmake/wine-env.sh "$build"

# The benchmark writes to a file, never to this script's stdout: wineserver
# and Wine's helper processes started with it would inherit a pipe and keep
# a reader of this script waiting long after the run.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# A run ends with its goal line, its own error or its usage text. One that
# ends with none of these was cut short, and Wine may even report success
# then: another user of the prefix ran "wineserver -k", as the project's
# ctest script does. Such a run is started again, at most twice.
ended_by_itself() { grep -qE "^(goal ratio|error:|usage:)" "$log"; }
for attempt in 1 2 3; do
  status=0
  wine "$build/bin/startup_bench.exe" "$@" </dev/null >"$log" 2>&1 || status=$?
  ended_by_itself && break
  echo "note: attempt $attempt was cut short; its output:" >&2
  tr -d '\r' <"$log" >&2
  sleep 1
done
tr -d '\r' <"$log"
if ! ended_by_itself; then
  echo "error: every attempt was cut short"
  status=1
fi
# Wait for this prefix's wineserver to end so that the settings tarvik.exe
# wrote reach the registry files; bounded, because another developer's
# persistent wineserver may keep running for a long while.
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
exit "$status"
