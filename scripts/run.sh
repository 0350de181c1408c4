#!/usr/bin/env bash
# Installs what is needed, builds Corvantil (Release) and starts it on the current display.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/install-deps.sh" --run
cmake -S "$here" -B "$here/build/release" -DCMAKE_BUILD_TYPE=Release -DCORVANTIL_TESTS=OFF
cmake --build "$here/build/release" -j"$(nproc)" --target corvantil
exec "$here/build/release/corvantil"
