#!/usr/bin/env bash
# Builds and runs the RE Transit benchmark under Wine (under Xvfb when there
# is no display): the measuring pass against a bare scan, then the soak.
#   bench/run-transit.sh [--build DIR] [--rounds N] [--soak N]
# The build folder is --build, else $TRANSIT_BENCH_BUILD, else build/w64bench;
# its Wine prefix is its own. Other arguments go to transit_bench.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

script_args=("$@")
source bench/transit-build.sh transit_bench standins
set -- "${script_args[@]}"

# No Wine process may hold this script's output open, or it never ends.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
wine "$build/bin/transit_bench.exe" "$@" </dev/null >"$log" 2>&1 || status=$?
tr -d '\r' <"$log"
# Bounded: another user of the prefix may keep its wineserver running.
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
exit "$status"
