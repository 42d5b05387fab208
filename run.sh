#!/usr/bin/env bash
# Builds tarvik.exe and starts it under Wine. Without a display it runs under
# Xvfb, takes a screenshot after start-up, closes the program and says where
# the screenshot went.
set -euo pipefail
cd "$(dirname "$0")"
bash cmake/install-deps.sh

cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win64 --target tarvik standins
source cmake/wine-env.sh build/win64

if [ -n "${DISPLAY:-}" ]; then
  exec bash cmake/demo.sh build/win64
fi
mkdir -p build/screenshots
TARVIK_SCREENSHOT="$PWD/build/screenshots/demo.png" \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/demo.sh build/win64
echo "Screenshot of the running programs: $PWD/build/screenshots/demo.png"
