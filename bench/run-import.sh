#!/usr/bin/env bash
# Builds tarvik.exe and the import benchmark in build/win64, then measures
# Import of a 100,000-point GPX track and Export of the list under Wine
# (under Xvfb when there is no display). Prints the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win64
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tarvik import_bench >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${IMPORT_BENCH_UNDER_XVFB:-}" ]; then
  IMPORT_BENCH_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
source cmake/wine-env.sh "$build"
output=$(mktemp)
# No Wine process may hold this script's output open, or it never ends.
status=0
wine "$build/bin/import_bench.exe" "$@" </dev/null >"$output" 2>&1 || status=$?
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true
tr -d '\r' <"$output" | grep -v -e '^fixme' -e '^wine: Read access denied'
rm -f "$output"
exit "$status"
