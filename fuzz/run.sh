#!/bin/sh
# Builds the property-list fuzz target with clang's libFuzzer, AddressSanitizer and UBSan, and runs it for a
# bounded time. Exit status 0 when the run found nothing.
#   FUZZ_SECONDS   how long to fuzz (default 60)
#   FUZZ_BUILD     build folder (default <repo>/build-fuzz); the growing corpus is kept in it
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
cxx=${CXX_FUZZ:-clang++}

mkdir -p "$build/obj" "$build/corpus" "$build/seeds" "$build/findings"

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
common="-std=c++20 -g -O1 -I$root"

# The framework's portable core goes into an archive, so that only what the decoder needs is linked in.
objs=""
for src in "$root"/platform/core/*.cpp; do
    obj="$build/obj/$(basename "$src" .cpp).o"
    $cxx $common $sanitize -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
    objs="$objs $obj"
done
rm -f "$build/libplatform_core.a"
# shellcheck disable=SC2086
ar rcs "$build/libplatform_core.a" $objs

$cxx $common $sanitize -fsanitize=fuzzer -Wall -Wextra -Wpedantic -Wshadow -Werror \
    "$root/fuzz/PropertyListFuzzer.cpp" "$build/libplatform_core.a" -o "$build/property_list_fuzzer"

# Seeds: one well-formed entry of each type, a list of several, and a few near misses.
seed() { printf "$2" > "$build/seeds/$1"; }
seed int32       'Width \000\000\001\130'
seed boolean     'Visible \001'
seed colour      'TextColor \377\040\000'
seed string      'Name \000\000\000\011Corvantil'
seed empty       'Text \000\000\000\000'
seed several     'Name \000\000\000\011TextArea1Index \200\000\000\000Bold \000BackColor \377\377\377'
seed truncated   'Width \000\000'
seed overlong    'Text \000\000\001\000abc'
seed unknown     'Height \000\000\000\355'
seed nospace     'Width'

"$build/property_list_fuzzer" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -dict="$root/fuzz/propertylist.dict" -artifact_prefix="$build/findings/" \
    "$build/corpus" "$build/seeds"
