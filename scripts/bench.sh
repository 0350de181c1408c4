#!/bin/sh
# Builds the program and its benchmarks in Release and runs them headless; prints one table.
#   BENCH_BUILD  build folder (default <repo>/build-bench-release)
#   TMPDIR       where the benchmark's files go (about 2 GiB while it runs; removed at the end)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$root/build-bench-release}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j8 --target corvantil corvantil_bench >/dev/null

QT_QPA_PLATFORM=offscreen exec "$build/bench/corvantil_bench" --program "$build/corvantil"
