#!/usr/bin/env bash
# Builds tarvik.exe and the list benchmark (the 64-bit build, or the 32-bit
# one with TARVIK_BENCH_BITS=32), then times large lists under Wine: opening
# 100,000, 30,000 and 1,000 rows against the portable floor, and select,
# Add, Delete and Save in the 100,000-row list, with the program's peak
# working set. Figures go to stdout.
# Arguments go to list_bench.exe, e.g. --rounds 5.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-bench.sh
build_for_bench tarvik list_bench
run_bench_program list_bench.exe "$@"
