#!/usr/bin/env bash
# Builds everything and runs every test:
#   - the native unit tests, with AddressSanitizer and UBSan, and short
#     fuzzing runs of the Marker file reader, the position parser, the
#     CSV waypoint reader, the KML and GPX mappings and the KMZ reader;
#   - both Windows builds, both release packages and both installers, each
#     checked without running it (format, imports, version resource,
#     contents);
#   - where this machine runs 32-bit programs: the 32-bit build, which ships
#     as tarvik.exe, with its whole suite (unit, Windows layer, stand-ins,
#     end-to-end, the benchmarks' own tests and the release package started
#     from its unpacked folder) in a 32-bit Wine prefix, as the simulator's
#     users run it; and the 64-bit build with the representative part below
#     in a 64-bit prefix, where its programs also drive the 32-bit build's
#     and the other way round;
#   - where it runs none (cmake/wine-mode.sh; TARVIK_NO_32BIT=1 forces it):
#     the 64-bit build's whole suite in a 64-bit prefix under wine64, the
#     tests that must start a 32-bit program reported as skipped.
# The Windows tests mostly wait for the programs they start, so the Wine
# suites run while the rest is built and fuzzed; their reports follow at the
# end, and the last lines say what ran where.
set -euo pipefail
cd "$(dirname "$0")"
bash cmake/install-deps.sh
source cmake/wine-mode.sh

phase() { echo "== $(date +%T) $*"; }
summary=()
say() { summary+=("$*"); }
configure_windows() {  # BUILD_DIR TOOLCHAIN [cmake options]
  cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=Release "${@:3}" \
    >/dev/null
}
phase "Wine mode: $TARVIK_WINE_MODE ($TARVIK_WINE_MODE_WHY)"

# The Wine suites run in the background, each on a display and in a prefix
# of its own, and each in a session of its own so that the whole run can be
# stopped at once: whatever happens below, they do not outlive this script.
suite_builds=() suite_pids=()
start_suite() {  # BUILD_DIR [ctest options]; the report goes to BUILD_DIR/test.log
  setsid xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/ctest-under-wine.sh "$1" "${@:2}" \
    >"$1/test.log" 2>&1 &
  suite_builds+=("$1") suite_pids+=($!)
  trap stop_suites EXIT
}
stop_suites() {
  for i in "${!suite_pids[@]}"; do
    kill -- -"${suite_pids[i]}" 2>/dev/null || true
    WINEPREFIX="$PWD/${suite_builds[i]}/wineprefix" wineserver -k 2>/dev/null || true
  done
}

status=0
# Both Windows builds are configured first: the 64-bit one pairs some of its
# tests with the 32-bit build's programs.
configure_windows build/win32 cmake/mingw-w64-i686.cmake
configure_windows build/win64 cmake/mingw-w64-x86_64.cmake -DTARVIK_PARTNER_BUILD="$PWD/build/win32"
if [ "$TARVIK_WINE_MODE" = both ]; then
  phase "32-bit build, its package and its installer"
  cmake --build build/win32 --target package installer
  phase "32-bit tests started in a 32-bit prefix (report at the end)"
  start_suite build/win32
else
  phase "64-bit build, its package and its installer"
  cmake --build build/win64 --target package installer
  phase "64-bit tests started in a 64-bit prefix under wine64 (report at the end)"
  start_suite build/win64
fi

phase "native build and unit tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
native_log=build/native/test.log
ctest --test-dir build/native --no-tests=error --output-on-failure -j2 | tee "$native_log" ||
  status=1
say "native: $(python3 cmake/ctest_summary.py "$native_log")"

if [ "$TARVIK_WINE_MODE" = both ]; then
  # The 64-bit build needs only what its part of the tests runs; its
  # package comes from CPack directly, as the package target would build
  # everything.
  phase "64-bit build, its package and its installer"
  cmake --build build/win64 --target tarvik_e2e_tests tarvik_installer_tests installer
  (cd build/win64 && cpack >/dev/null)
  # Start-up, the command line and drops (with the 32-bit programs paired
  # in), each target program, documents and their dialogs, Help, one Transit
  # measurement, Import and Export through XmlLite, the check of the DLLs
  # tarvik.exe imports, unsaved work kept across a kill, Undo and Redo, and
  # the installer.
  representative_64='^(tarvik_imports_|FirstStart\.|Builds/CommandLine\.|CommandLineFile\.|DroppedFile\.|RouteEditorTarget\.|MosaicTarget\.|UsaPhotoMapsTarget\.|MarkerDocument\.|HelpMenu\.|TransitWindow\.ShowsThePlacementsLatitudeAndLongitude$|WaypointExchange\.(Imports|Export)|UnsavedWork\.|EditMenu\.|tarvik_installer_)'
  phase "64-bit tests started in a 64-bit prefix (report at the end)"
  start_suite build/win64 -R "$representative_64"
else
  # Only what ships: its tests could not run here.
  phase "32-bit build, its package and its installer (not run: $TARVIK_WINE_MODE_WHY)"
  cmake --build build/win32 --target tarvik standins installer
  (cd build/win32 && cpack >/dev/null)
fi

phase "fuzzing the Marker file reader, the position parser, the CSV reader, the KML and GPX mappings and the KMZ reader (longer runs: bench/)"
bash bench/fuzz-marker-reader.sh 15
bash bench/fuzz-exchange.sh 10
say "fuzzing: the Marker file reader 15 s; the position parser, the CSV reader, the KML and GPX mappings and the KMZ reader 10 s each"

phase "both release packages and installers, checked without running them"
for build in build/win32 build/win64; do
  bash cmake/check-release.sh "$build" || status=1
done
say "release packages: $(ls build/win*/package/*.zip build/win*/package/*.msi | xargs -n1 basename |
  paste -sd' ')," "each checked without running it (format, imports, version resource, contents)"

for i in "${!suite_pids[@]}"; do
  phase "${suite_builds[i]} tests: waiting for the end of the run"
  wait "${suite_pids[i]}" || status=1
  cat "${suite_builds[i]}/test.log"
done
trap - EXIT

if [ "$TARVIK_WINE_MODE" = both ]; then
  say "32-bit build, whole suite in a 32-bit prefix: $(python3 cmake/ctest_summary.py build/win32/test.log build/win32)"
  say "64-bit build, representative part in a 64-bit prefix:" \
    "$(python3 cmake/ctest_summary.py build/win64/test.log build/win64)"
else
  say "32-bit build: built and checked without running it; its Wine suite did NOT run:" \
    "$TARVIK_WINE_MODE_WHY"
  win64_summary=$(python3 cmake/ctest_summary.py build/win64/test.log build/win64)
  say "64-bit build, whole suite in a 64-bit prefix under wine64: $win64_summary"
  # Debian's wine would pass on a machine that runs 32-bit programs and fail
  # where it does not: the forced mode has to have reached wine64.
  if ! grep -q "run by /usr/lib/wine/wine64" <<<"$win64_summary"; then
    say "FAIL: the 64-bit suite did not run under /usr/lib/wine/wine64"
    status=1
  fi
fi
phase "done: what ran where (Wine mode $TARVIK_WINE_MODE: $TARVIK_WINE_MODE_WHY)"
printf '  %s\n' "${summary[@]}"
[ "$status" -eq 0 ] && echo "  all of it passed" || echo "  SOMETHING FAILED: see above"
exit $status
