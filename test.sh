#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. the native unit tests, with AddressSanitizer and UBSan, and a short
#      fuzzing run of the Marker file reader;
#   2. the 32-bit build, which ships as tarvik.exe: its whole suite (unit,
#      Windows layer, stand-ins, end-to-end, benchmarks' own tests and the
#      release package started from its unpacked folder) in a 32-bit Wine
#      prefix, as the simulator's users run it;
#   3. the 64-bit build: the representative part below in a 64-bit prefix,
#      where its programs also drive the 32-bit build's and the other way
#      round.
# Both release packages are built on the way.
set -euo pipefail
cd "$(dirname "$0")"
bash cmake/install-deps.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
ctest --test-dir build/native --no-tests=error --output-on-failure -j2

# A short fuzzing run of the Marker file reader (longer runs: bench/).
bash bench/fuzz-marker-reader.sh 15

cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 --target package

# The 64-bit build needs only what its part of the tests runs; its package
# comes from CPack directly, as the package target would build everything.
cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTARVIK_PARTNER_BUILD="$PWD/build/win32" >/dev/null
cmake --build build/win64 --target tarvik_e2e_tests
(cd build/win64 && cpack >/dev/null)
ls build/win32/package/*.zip build/win64/package/*.zip

wine_ctest() { xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/ctest-under-wine.sh "$@"; }
status=0
wine_ctest build/win32 || status=1
# Start-up, the command line and drops (with the 32-bit programs paired in),
# each target program, documents and their dialogs, Help, one Transit
# measurement, and the import check.
representative_64='^(tarvik_imports_|FirstStart\.|Builds/CommandLine\.|CommandLineFile\.|DroppedFile\.|RouteEditorTarget\.|MosaicTarget\.|UsaPhotoMapsTarget\.|MarkerDocument\.|HelpMenu\.|Builds/ExecutableResources\.|TransitWindow\.ShowsThePlacementsLatitudeAndLongitude$)'
wine_ctest build/win64 -R "$representative_64" || status=1
exit $status
