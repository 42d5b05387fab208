#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (with
# AddressSanitizer and UBSan), then the Windows build's tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
bash cmake/install-deps.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
ctest --test-dir build/native --no-tests=error --output-on-failure -j2

# A short fuzzing run of the Marker file reader (longer runs: bench/).
bash bench/fuzz-marker-reader.sh 15
# The same for the position parser and the CSV waypoint reader.
bash bench/fuzz-exchange.sh 10

cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win64
xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/ctest-under-wine.sh build/win64
