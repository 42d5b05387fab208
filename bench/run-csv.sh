#!/usr/bin/env bash
# Builds tarvik.exe and the CSV benchmark (the 64-bit build, or the 32-bit
# one with TARVIK_BENCH_BITS=32), then measures under Wine, each in a fresh
# tarvik.exe: Import of a 100,000-row CSV in Windows-1252, Import of a
# 100 MB CSV, and Open of a 64 MB Marker file without a line break, with
# the time to the box that ends each and the program's peak memory. Figures
# go to stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-bench.sh
build_for_bench tarvik csv_bench
run_bench_program csv_bench.exe "$@"
