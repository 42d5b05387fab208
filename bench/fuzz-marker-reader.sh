#!/usr/bin/env bash
# Fuzzes the Marker file reader with libFuzzer for a bounded time (seconds,
# default 60), starting from the files in tests/fuzz/seeds. Every input the
# reader loads is also written and read back. Exits non-zero when the fuzzer
# finds a crash, a leak, a broken outcome or a list that does not survive a
# save.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
source bench/fuzz-build.sh marker_reader_fuzz

# The fuzzer adds what it finds to its working corpus; the seeds it starts
# from are the ones the unit tests read too.
corpus="$build/corpus"
mkdir -p "$corpus"
cp tests/fuzz/seeds/*.mkr "$corpus/"

"$build/tests/fuzz/marker_reader_fuzz" "$corpus" -max_total_time="$seconds" -max_len=65536 \
  -rss_limit_mb=2048 -print_final_stats=1 2>&1 | tail -n 12
