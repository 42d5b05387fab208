#!/usr/bin/env bash
# Builds tarvik.exe, the stand-ins and the freeze benchmark (the 64-bit
# build, or the 32-bit one with TARVIK_BENCH_BITS=32), then measures under
# Wine how long each command against a target that has just stopped
# answering holds Tarvik up, and the longest answer beside the RE Transit
# window's passes. Prints the samples, medians and worst cases.
# Arguments go to freeze_bench.exe, e.g. --rounds 5.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-bench.sh
build_for_bench tarvik standins freeze_bench
run_bench_program freeze_bench.exe "$@"
