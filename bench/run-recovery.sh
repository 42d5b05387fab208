#!/usr/bin/env bash
# Builds tarvik.exe and the recovery benchmark (the 64-bit build, or the
# 32-bit one with TARVIK_BENCH_BITS=32), then measures under Wine: the
# window's longest pause while the recovery copy of a 100,000-row list is
# written, Undo and Redo of an 80,000-row import, and the time from start to
# the question that offers a 100,000-row copy back. Figures go to stdout;
# arguments go to recovery_bench.exe, e.g. --rounds 5.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-bench.sh
build_for_bench tarvik recovery_bench
run_bench_program recovery_bench.exe "$@"
