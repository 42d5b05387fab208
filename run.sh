#!/usr/bin/env bash
# Builds the shipped 32-bit tarvik.exe and the stand-in Route Editor and
# starts both under Wine in a 32-bit prefix, Tarvik with the sample Marker
# file. With a display both stay open for you to click. Without one they
# run under Xvfb: a stand-in for the user clicks a waypoint, the camera
# moves there, the screen is photographed and both programs are closed.
# Where this machine runs no 32-bit programs (cmake/wine-mode.sh;
# TARVIK_NO_32BIT=1 forces it) the same demo runs with the 64-bit builds of
# Tarvik and the stand-ins in a 64-bit prefix.
set -euo pipefail
cd "$(dirname "$0")"
bash cmake/install-deps.sh
source cmake/wine-mode.sh

if [ "$TARVIK_WINE_MODE" = both ]; then
  build=build/win32 toolchain=cmake/mingw-w64-i686.cmake
else
  build=build/win64 toolchain=cmake/mingw-w64-x86_64.cmake
  echo "Running the 64-bit build of Tarvik and the stand-ins: $TARVIK_WINE_MODE_WHY," \
    "so the shipped 32-bit tarvik.exe cannot start here."
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tarvik routeeditor demouser

if [ -n "${DISPLAY:-}" ]; then
  exec bash cmake/demo.sh "$build"
fi
mkdir -p build/screenshots
TARVIK_SCREENSHOT="$PWD/build/screenshots/demo.png" \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/demo.sh "$build"
echo "Screenshot of the running programs: $PWD/build/screenshots/demo.png"
