# Sourced by the benchmark scripts: sets $build to the Windows build they
# measure and configures it when it is not yet. TARVIK_BENCH_BITS=32
# measures the shipped 32-bit build in its 32-bit prefix; the default is the
# 64-bit build, the only one where this machine runs no 32-bit programs.
source cmake/wine-mode.sh
if [ "${TARVIK_BENCH_BITS:-64}" = 32 ] && [ "$TARVIK_WINE_MODE" = 64only ]; then
  echo "TARVIK_BENCH_BITS=32 cannot be measured here: $TARVIK_WINE_MODE_WHY" >&2
  exit 2
fi
case "${TARVIK_BENCH_BITS:-64}" in
  32) build=build/win32 toolchain=cmake/mingw-w64-i686.cmake ;;
  64) build=build/win64 toolchain=cmake/mingw-w64-x86_64.cmake ;;
  *) echo "TARVIK_BENCH_BITS is 32 or 64" >&2; exit 2 ;;
esac
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release >&2
fi
