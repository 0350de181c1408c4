#!/usr/bin/env bash
# Installs what is needed and checks that every C++ file is formatted as .clang-format says. Then it builds
# the whole tree (program, tests, end-to-end harness, benchmarks and pictures) with warnings as errors and
# runs every test in each build: Debug and Release with the system's compiler, Release with clang, and Debug
# with AddressSanitizer and UndefinedBehaviorSanitizer in which any report fails the run. The Release build
# is then installed into a staging folder and its desktop entry validated; last come time-bounded fuzz runs.
# Unit tests run headless (offscreen); the end-to-end tests start their own X server.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/install-deps.sh" --test
# A file that the formatter would change fails the run before anything is built.
bash "$here/scripts/check-format.sh"
export QT_QPA_PLATFORM=offscreen
export PLATFORM_NO_DIALOGS=1
jobs="$(nproc)"

run_suite() {
    local dir="$1"; shift
    cmake -S "$here" -B "$dir" -DCORVANTIL_TESTS=ON -DCORVANTIL_WERROR=ON "$@"
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300)
}

# Installs the build in `dir` as a distribution would, into a staging folder, and checks what it put there.
# A subshell, so that the staging folder goes on every way out, a failure included.
check_install() (
    local dir="$1" stage entry=share/applications/example.corvantil.Corvantil.desktop
    stage="$(mktemp -d)"
    trap 'rm -rf "$stage"' EXIT
    DESTDIR="$stage" cmake --install "$dir" --prefix /usr
    local installed
    installed="$(cd "$stage/usr" && find . -type f | sort)"
    if [[ "$installed" != "$(printf './bin/corvantil\n./%s' "$entry")" ]]; then
        echo "test.sh: the install put other files than the program and its desktop entry:" >&2
        echo "$installed" >&2
        return 1
    fi
    [[ -x "$stage/usr/bin/corvantil" ]] || { echo "test.sh: the installed program is not executable" >&2; return 1; }
    desktop-file-validate "$stage/usr/$entry"
)

run_suite "$here/build/test" -DCMAKE_BUILD_TYPE=Debug

# What only the optimiser brings out, and the build a distribution makes.
run_suite "$here/build/test-release" -DCMAKE_BUILD_TYPE=Release
check_install "$here/build/test-release"

# clang's warnings do not depend on the optimisation level; optimised, it is a second optimiser's view too.
run_suite "$here/build/clang" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
run_suite "$here/build/asan" -DCMAKE_BUILD_TYPE=Debug -DCORVANTIL_SANITIZE=ON

if [[ ! -f "$here/fuzz/run.sh" || ! -x "$here/fuzz/run.sh" ]]; then
    echo "test.sh: fuzz/run.sh is missing or not executable, so the fuzz runs cannot be made" >&2
    exit 1
fi
"$here/fuzz/run.sh"
