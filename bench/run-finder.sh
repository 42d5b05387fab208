#!/usr/bin/env bash
# Builds and runs the window-finder benchmark under Wine (under Xvfb when
# there is no display). Prints the two medians and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench-build.sh
cmake --build "$build" --target finder_bench standins >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${FINDER_BENCH_UNDER_XVFB:-}" ]; then
  FINDER_BENCH_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
source cmake/wine-env.sh "$build"
output=$(mktemp)
# No Wine process may hold this script's output open, or it never ends.
wine "$build/bin/finder_bench.exe" "$@" </dev/null >"$output" 2>&1 || true
wineserver -w
cat "$output"
rm -f "$output"
