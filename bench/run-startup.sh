#!/usr/bin/env bash
# Builds tarvik.exe and the start-up benchmark (the 64-bit build, or the
# 32-bit one with TARVIK_BENCH_BITS=32), then measures start-up under Wine
# and prints the samples, medians and ratio to stdout.
# Arguments go to startup_bench.exe, e.g. --rounds 11.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-bench.sh
build_for_bench tarvik minimal_window startup_bench

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
