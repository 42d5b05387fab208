#!/usr/bin/env bash
# Fuzzes the Marker file reader with libFuzzer for a bounded time (seconds,
# default 60), starting from a few well-formed and broken files. Exits
# non-zero when the fuzzer finds a crash, a leak or a broken outcome.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVIK_FUZZ=ON -DTARVIK_TESTS=OFF >/dev/null
cmake --build "$build" --target marker_reader_fuzz >/dev/null

corpus="$build/corpus"
mkdir -p "$corpus"
utf16() { printf '\xff\xfe'; printf '%b' "$1" | iconv -f UTF-8 -t UTF-16LE; }
utf16 'SIMISA@@@@@@@@@@JINX0I0t______\r\n' >"$corpus/empty.mkr"
utf16 'SIMISA@@@@@@@@@@JINX0I0t______\r\nMarker ( -113.2 48.1 "West Yard" 2 )\r\n' >"$corpus/west.mkr"
utf16 'Marker (-1 2 "A" )\nMarker ( 3 4 B 5 )\rMarker ( 5 6 "C (x)" 7 )' >"$corpus/mixed.mkr"
utf16 'Marker ( 1 2 "A" 2' >"$corpus/broken.mkr"
printf 'Marker ( 1 2 "A" 2 )\r\n' >"$corpus/ansi.mkr"

"$build/tests/fuzz/marker_reader_fuzz" "$corpus" -max_total_time="$seconds" -max_len=65536 \
  -rss_limit_mb=2048 -print_final_stats=1 2>&1 | tail -n 12
