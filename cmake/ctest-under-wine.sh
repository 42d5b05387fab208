#!/usr/bin/env bash
# Runs ctest in a Windows build folder with one persistent wineserver, so
# that each test does not pay for starting Wine. Every Wine process gets
# /dev/null for its streams: one that inherits ctest's pipes makes ctest wait
# forever. Run it under xvfb-run: the first Wine process opens the display.
set -uo pipefail
build_dir=$1
shift
source "$(dirname "$0")/wine-env.sh" "$build_dir"

wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
ctest --test-dir "$build_dir" --no-tests=error --output-on-failure "$@"
status=$?
wineserver -k </dev/null >/dev/null 2>&1
wineserver -w
exit $status
