#!/usr/bin/env bash
# Prints tarvik.exe's size and the DLLs it imports, each marked as a Windows
# system DLL or not. The list of Windows DLLs is the one the import check
# (cmake/CheckImports.cmake) enforces, so the two cannot disagree.
# Usage: bench/exe-report.sh [build folder, default build/win32]
# A folder not configured yet is made a 32-bit build when its name has
# "win32" in it, else a 64-bit one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build/win32}

if [ ! -f "$build/build.ninja" ]; then
  toolchain=cmake/mingw-w64-x86_64.cmake
  [[ $build == *win32* ]] && toolchain=cmake/mingw-w64-i686.cmake
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=$toolchain \
    -DCMAKE_BUILD_TYPE=Release >&2
fi
cmake --build "$build" --target tarvik >&2
exe="$build/bin/tarvik.exe"
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$build/CMakeCache.txt")

bytes=$(stat -c %s "$exe")
echo "$exe ($(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt") build, $(cat "$build/wine-arch"))"
awk -v b="$bytes" 'BEGIN { printf "size: %d bytes, %.1f KiB\n", b, b / 1024 }'
echo "imported DLLs ($objdump -p | grep \"DLL Name\"):"
"$objdump" -p "$exe" | grep "DLL Name"

status=0
verdicts=$(cmake -DEXE="$exe" -DOBJDUMP="$objdump" -P cmake/CheckImports.cmake 2>&1) || status=$?
sed -n 's/^-- //p' <<<"$verdicts"
if [ "$status" -eq 0 ]; then
  echo "every import is a Windows system DLL"
else
  echo "NOT every import is a Windows system DLL"
  grep -v '^-- ' <<<"$verdicts" >&2
fi
exit "$status"
