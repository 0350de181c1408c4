#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test twice: a normal build, and a build with
# AddressSanitizer and UndefinedBehaviorSanitizer in which any report fails the run. Unit tests run
# headless (offscreen); the end-to-end tests start their own X server.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/install-deps.sh" --test
export QT_QPA_PLATFORM=offscreen
export CORVANTIL_NO_DIALOGS=1
jobs="$(nproc)"

run_suite() {
    local dir="$1"; shift
    cmake -S "$here" -B "$dir" "$@"
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300)
}

run_suite "$here/build/test" -DCMAKE_BUILD_TYPE=Debug

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
run_suite "$here/build/asan" -DCMAKE_BUILD_TYPE=Debug -DCORVANTIL_SANITIZE=ON

if [[ -x "$here/fuzz/run.sh" ]]; then
    bash "$here/fuzz/run.sh"
fi
