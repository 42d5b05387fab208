# Sourced, with no arguments, at the top of a benchmark script that runs one
# of its programs under Wine. Without a display the whole script runs again
# under Xvfb; then bench-build.sh picks the build ($build).
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
source bench/bench-build.sh

# Builds the targets and sets up the build's Wine prefix. Build progress goes
# to stderr: stdout carries only the figures. Other work on the machine
# slows a program and the floor it is set against, but not alike: the
# figures say how busy it was.
build_for_bench() {
  cmake --build "$build" --target "$@" >&2
  echo "build: $build, $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
  echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
  source cmake/wine-env.sh "$build"
}

# Runs a program of the build under Wine with its arguments, prints what it
# wrote and returns its exit status. The program writes to a file, never to
# this script's stdout: Wine processes started with it would inherit a pipe
# and keep a reader waiting long after the run.
run_bench_program() {
  local log status=0
  log=$(mktemp)
  wine "$build/bin/$1" "${@:2}" </dev/null >"$log" 2>&1 || status=$?
  tr -d '\r' <"$log" | grep -v -e '^fixme' -e '^wine: Read access denied' || true
  rm -f "$log"
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  # Bounded: another user of the prefix may keep its wineserver running.
  timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || echo "note: wineserver still running" >&2
  return "$status"
}
