#!/usr/bin/env bash
# Builds and runs the RE Transit benchmark under Wine (under Xvfb when there
# is no display): the measuring pass against a bare scan, then the soak.
#   bench/run-transit.sh [--build DIR] [--rounds N] [--soak N]
# The build folder is --build, else $TRANSIT_BENCH_BUILD, else build/w64bench;
# its Wine prefix is its own. Other arguments go to transit_bench.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Without a display, the whole script runs again under Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

build=${TRANSIT_BENCH_BUILD:-build/w64bench}
if [ "${1:-}" = --build ]; then
  build=${2:?--build needs a folder}
  shift 2
fi
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >&2
fi
# Build progress goes to stderr: stdout carries only the figures.
cmake --build "$build" --target transit_bench standins >&2
echo "build type: $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
source cmake/wine-env.sh "$build"

# No Wine process may hold this script's output open, or it never ends.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
wine "$build/bin/transit_bench.exe" "$@" </dev/null >"$log" 2>&1 || status=$?
tr -d '\r' <"$log"
# Bounded: another user of the prefix may keep its wineserver running.
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
exit "$status"
