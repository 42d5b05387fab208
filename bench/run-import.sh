#!/usr/bin/env bash
# Builds tarvik.exe and the import benchmark (the 64-bit build, or the
# 32-bit one with TARVIK_BENCH_BITS=32), then measures Import of a
# 100,000-point GPX track and Export of the list under Wine (under Xvfb
# when there is no display). Figures go to stdout; arguments go to
# import_bench.exe, e.g. --rounds 5.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-bench.sh
build_for_bench tarvik import_bench
run_bench_program import_bench.exe "$@"
