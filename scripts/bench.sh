#!/bin/sh
# Builds the benchmarks in release mode in build-bench and prints one table
# (see "Benchmarks" in the README). Installs what is missing, valgrind included.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" --bench

build="$top/build-bench"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMSP_BUILD_TESTS=OFF -DMSP_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target msp-bench --parallel "$(nproc)" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bin/msp-bench"
