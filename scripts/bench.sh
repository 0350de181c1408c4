#!/bin/sh
# Builds the program and its benchmarks in Release and runs them headless; prints one table.
#   BENCH_BUILD  build folder (default <repo>/build-bench-release)
#   TMPDIR       where the benchmark's files go (about 2 GiB while it runs; removed at the end)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$root/build-bench-release}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target corvantil corvantil_bench >/dev/null

# A runtime folder of its own, so that Qt need not warn that there is none.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" "$build/bench/corvantil_bench" --program "$build/corvantil"
