#!/usr/bin/env bash
# The CPU cost of an open RE Transit window: starts the Route Editor
# stand-in and tarvik.exe (with its stored settings removed, so that it
# targets the Route Editor), presses Transit, checks that the window
# measures, then prints the CPU time of tarvik.exe and of wineserver over
# the interval as a percentage of one core. Runs under Xvfb when there is
# no display, and stops this prefix's wineserver at the end.
#   bench/run-transit-cpu.sh [--build DIR] [SECONDS]      (60 by default)
# The build folder is --build, else $TRANSIT_BENCH_BUILD, else build/w64bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

script_args=("$@")
source bench/transit-build.sh tarvik standins transit_bench
set -- "${script_args[@]}"
seconds=${1:-60}
bin="$build/bin"

log=$(mktemp)
finish() {
  # Every program of this prefix ends with its server; the registry files
  # are written as it goes.
  wineserver -k </dev/null >/dev/null 2>&1 || true
  timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
  rm -f "$log"
}
trap finish EXIT

# Runs transit_bench.exe with its output in a file: a Wine process must not
# hold this script's output open.
bench() {
  local status=0
  wine "$bin/transit_bench.exe" "$@" </dev/null >"$log" 2>&1 || status=$?
  tr -d '\r' <"$log"
  return "$status"
}

# The Linux processes of this prefix whose kernel name starts with $1. The
# prefix is read from each one's environment: other builds' Wine processes
# of the same name may be running.
in_this_prefix() {
  local pid
  for pid in $(pgrep -f "$2" || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == "$1"* ]]; then
      echo "$pid"
    fi
  done
}

# The only one, or the script stops: a guess would measure the wrong process.
only_one() {
  local found
  found=$(in_this_prefix "$1" "$2")
  if [ "$(echo "$found" | grep -c .)" != 1 ]; then
    echo "error: expected one $1 process of this prefix, found: ${found:-none}" >&2
    exit 1
  fi
  echo "$found"
}

# Starting the server first keeps the removal of the settings in memory
# until the programs read them.
wineserver -p </dev/null >/dev/null 2>&1
wine reg delete 'HKCU\Software\Tarvik' /f </dev/null >/dev/null 2>&1 ||
  echo "note: no stored settings to remove"
(cd "$bin" && exec wine routeeditor.exe) </dev/null >/dev/null 2>&1 &
(cd "$bin" && exec wine tarvik.exe) </dev/null >/dev/null 2>&1 &

bench --open-transit
tarvik=$(only_one tarvik.exe 'tarvik\.exe')
server=$(only_one wineserver 'wineserver')
echo "watching tarvik.exe as Linux pid $tarvik and wineserver as pid $server for $seconds s"
bench --cpu-share --tarvik-pid "$tarvik" --wineserver-pid "$server" --seconds "$seconds" \
  --clock-ticks "$(getconf CLK_TCK)"
