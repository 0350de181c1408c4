#!/usr/bin/env bash
# Installs the Debian 12 packages Corvantil needs: `--run` for building and running the program,
# `--test` for that plus everything the tests need. Packages already installed are skipped.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(build-essential cmake qt6-base-dev qt6-qpa-plugins fonts-dejavu-core libfontconfig1 perl)
if [[ "${1:-}" == "--test" ]]; then
    packages+=(libgtest-dev clang clang-format libclang-rt-14-dev desktop-file-utils)
    if [[ -f "$here/tests/e2e/packages.txt" ]]; then
        while read -r p; do [[ -n "$p" && "$p" != \#* ]] && packages+=("$p"); done < "$here/tests/e2e/packages.txt"
    fi
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
