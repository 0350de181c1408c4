#!/bin/sh
# Builds the fuzz targets with CMake (CORVANTIL_FUZZ: clang's libFuzzer, AddressSanitizer and UBSan, linking
# the framework's portable core alone): the property-list decoder and the conversion of a drag's URI list
# into items. Runs every target for a bounded time, also after one has found something; exit status 0 only
# when none found anything. The build is configured with Qt out of reach, since the core needs none.
#   FUZZ_SECONDS   how long to fuzz each target (default 60)
#   FUZZ_BUILD     build folder (default <repo>/build-fuzz); the growing corpora are kept in it
#   CXX_FUZZ       the clang++ to build with (default clang++)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
cxx=${CXX_FUZZ:-clang++}

mkdir -p "$build/corpus" "$build/seeds" "$build/findings" "$build/urilist-corpus" "$build/urilist-seeds"

cmake --no-warn-unused-cli -S "$root" -B "$build/cmake" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="-g -O1" \
    -DCORVANTIL_FUZZ=ON -DCORVANTIL_TESTS=OFF -DCORVANTIL_WERROR=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
cmake --build "$build/cmake" -j"$(nproc)" --target property_list_fuzzer uri_list_fuzzer
bin="$build/cmake/fuzz"

# fuzz_target NAME DICTIONARY CORPUS SEEDS FINDINGS_PREFIX: one bounded run; a target that found something
# is remembered in `failed` and the next one still runs.
failed=""
fuzz_target() {
    "$bin/$1" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
        -dict="$root/fuzz/$2" -artifact_prefix="$build/findings/$5" "$build/$3" "$build/$4" ||
        failed="$failed $1"
}

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

fuzz_target property_list_fuzzer propertylist.dict corpus seeds ""

# Seeds: lists as file managers and browsers send them, and the malformed forms other programs send.
useed() { printf "$2" > "$build/urilist-seeds/$1"; }
useed one        'file:///home/me/a.txt\r\n'
useed several    '# comment\r\nfile:///a%%20b\r\nfile://localhost/c\r\nhttps://example.org/\r\n'
useed notutf8    'file:///caf%%E9%%FF.bin\n'
useed nul        'file:///x%%00y\r\n'
useed relative   'file:relative-name\r\nfile:--help\r\nfile:\r\n'
useed otherhost  'file://otherhost/home/me/a.txt\r\n'
useed badescape  'file:///tmp/f/bad%%zz.txt\r\nfile:///tmp/f/a.txt%%\r\nfile:///tmp/f/a%%2\r\nfile:///tmp/f/a.txt\r\n'

fuzz_target uri_list_fuzzer urilist.dict urilist-corpus urilist-seeds uri-list-

if [ -n "$failed" ]; then
    echo "fuzz/run.sh: found something:$failed (see $build/findings)" >&2
    exit 1
fi
