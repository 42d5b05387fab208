#!/usr/bin/env bash
# Builds the shipped 32-bit tarvik.exe and the stand-in Route Editor and
# starts both under Wine in a 32-bit prefix, Tarvik with the sample Marker
# file. With a display both stay open for you to click. Without one they
# run under Xvfb: a stand-in for the user clicks a waypoint, the camera
# moves there, the screen is photographed and both programs are closed.
set -euo pipefail
cd "$(dirname "$0")"
bash cmake/install-deps.sh

cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 --target tarvik routeeditor demouser

if [ -n "${DISPLAY:-}" ]; then
  exec bash cmake/demo.sh build/win32
fi
mkdir -p build/screenshots
TARVIK_SCREENSHOT="$PWD/build/screenshots/demo.png" \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/demo.sh build/win32
echo "Screenshot of the running programs: $PWD/build/screenshots/demo.png"
