# Sourced by the fuzzing scripts with the fuzz targets they run as
# arguments: configures build/fuzz with clang and builds them. Sets $build.
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVIK_FUZZ=ON -DTARVIK_TESTS=OFF >/dev/null
# Only the compiler's complaints show: a build that fails says why.
cmake --build "$build" --target "$@" -- --quiet
