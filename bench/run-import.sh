#!/usr/bin/env bash
# Builds tarvik.exe and the import benchmark (the 64-bit build, or the
# 32-bit one with TARVIK_BENCH_BITS=32), then measures Import of a
# 100,000-point GPX track and Export of the list under Wine (under Xvfb
# when there is no display). Figures go to stdout; arguments go to
# import_bench.exe, e.g. --rounds 5.
set -euo pipefail
cd "$(dirname "$0")/.."

# Without a display, the whole script runs again under Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

source bench/bench-build.sh
# Build progress goes to stderr: stdout carries only the figures.
cmake --build "$build" --target tarvik import_bench >&2
echo "build: $build, $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
# Other work on the machine slows the program and the bare read alike only
# roughly: say how busy it was.
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
source cmake/wine-env.sh "$build"

# The benchmark writes to a file, never to this script's stdout: Wine
# processes started with it would inherit a pipe and keep a reader waiting.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
wine "$build/bin/import_bench.exe" "$@" </dev/null >"$log" 2>&1 || status=$?
tr -d '\r' <"$log" | grep -v -e '^fixme' -e '^wine: Read access denied'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
exit "$status"
