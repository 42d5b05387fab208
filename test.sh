#!/usr/bin/env bash
# Builds everything and runs every test:
#   - the native unit tests, with AddressSanitizer and UBSan, and short
#     fuzzing runs of the Marker file reader, the position parser and the
#     CSV waypoint reader;
#   - the 32-bit build, which ships as tarvik.exe: its whole suite (unit,
#     Windows layer, stand-ins, end-to-end, the benchmarks' own tests and the
#     release package started from its unpacked folder) in a 32-bit Wine
#     prefix, as the simulator's users run it;
#   - the 64-bit build: the representative part below in a 64-bit prefix,
#     where its programs also drive the 32-bit build's and the other way
#     round.
# Both release packages are built on the way. The Windows tests mostly wait
# for the programs they start, so the 32-bit suite runs while the rest is
# built; its report follows at the end.
set -euo pipefail
cd "$(dirname "$0")"
bash cmake/install-deps.sh

phase() { echo "== $(date +%T) $*"; }
wine_ctest() { xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/ctest-under-wine.sh "$@"; }

phase "32-bit build and its package"
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 --target package

phase "32-bit tests started in a 32-bit prefix (report at the end)"
win32_log=build/win32/test.log
# In a session of its own, so that the whole run can be stopped at once:
# whatever happens below, it does not outlive this script.
setsid xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/ctest-under-wine.sh build/win32 \
  >"$win32_log" 2>&1 &
win32_tests=$!
stop_win32_tests() {
  kill -- -"$win32_tests" 2>/dev/null || true
  WINEPREFIX="$PWD/build/win32/wineprefix" wineserver -k 2>/dev/null || true
}
trap stop_win32_tests EXIT

phase "native build and unit tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
ctest --test-dir build/native --no-tests=error --output-on-failure -j2

phase "fuzzing the Marker file reader, the position parser and the CSV reader (longer runs: bench/)"
bash bench/fuzz-marker-reader.sh 15
bash bench/fuzz-exchange.sh 10

# The 64-bit build needs only what its part of the tests runs; its package
# comes from CPack directly, as the package target would build everything.
phase "64-bit build and its package"
cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTARVIK_PARTNER_BUILD="$PWD/build/win32" >/dev/null
cmake --build build/win64 --target tarvik_e2e_tests
(cd build/win64 && cpack >/dev/null)
ls build/win32/package/*.zip build/win64/package/*.zip

status=0
# Start-up, the command line and drops (with the 32-bit programs paired in),
# each target program, documents and their dialogs, Help, one Transit
# measurement, Import and Export through XmlLite, and the check of the
# DLLs tarvik.exe imports.
representative_64='^(tarvik_imports_|FirstStart\.|Builds/CommandLine\.|CommandLineFile\.|DroppedFile\.|RouteEditorTarget\.|MosaicTarget\.|UsaPhotoMapsTarget\.|MarkerDocument\.|HelpMenu\.|TransitWindow\.ShowsThePlacementsLatitudeAndLongitude$|WaypointExchange\.(Imports|Export)|UnsavedWork\.|EditMenu\.)'
phase "64-bit tests in a 64-bit prefix"
wine_ctest build/win64 -R "$representative_64" || status=1

phase "32-bit tests: waiting for the end of the run"
wait $win32_tests || status=1
trap - EXIT
cat "$win32_log"
phase "done"
exit $status
