#!/bin/sh
# Renders the main window, as the program draws it under the offscreen platform, into the README's
# pictures: docs/main-identical.png (an "identical" verdict) and docs/main-folder.png (a refused folder).
# Run it again whenever the look changes.
#   PICTURES_BUILD  build folder (default <repo>/build-bench-release, shared with scripts/bench.sh)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${PICTURES_BUILD:-$root/build-bench-release}

# DejaVu is the font the pictures are made with, so they look the same on every machine.
if ! fc-list 2>/dev/null | grep -q DejaVuSans; then
    echo "pictures.sh: the DejaVu fonts are missing (apt-get install fonts-dejavu-core)" >&2
    exit 1
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target corvantil_pictures >/dev/null

mkdir -p "$root/docs"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/dejavu XDG_RUNTIME_DIR="$runtime" \
    "$build/bench/corvantil_pictures" "$root/docs"
