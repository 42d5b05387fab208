# The opening both RE Transit benchmark scripts share; sourced by them with
# their arguments left in place. Without a display the calling script runs
# again under Xvfb. Otherwise it sets `build` (--build DIR, else
# $TRANSIT_BENCH_BUILD, else build/w64bench; --build is taken off the
# arguments), configures a new folder as Release, builds the given targets
# with progress on stderr, and enters that folder's Wine prefix.
#   source bench/transit-build.sh TARGET...   (from the project's root)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "${script_args[@]}"
fi

build=${TRANSIT_BENCH_BUILD:-build/w64bench}
if [ "${script_args[0]:-}" = --build ]; then
  build=${script_args[1]:?--build needs a folder}
  script_args=("${script_args[@]:2}")
fi
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >&2
fi
cmake --build "$build" --target "$@" >&2
echo "build type: $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
source cmake/wine-env.sh "$build"
