#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it with the project's
# .clang-format, and names each such file. `clang-format -i FILE` mends one.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

# Another clang-format formats differently, so every file would be named: say what is wrong instead.
wanted=14
if ! command -v clang-format >/dev/null 2>&1; then
    echo "check-format.sh: clang-format is not installed; this check needs clang-format $wanted (bash scripts/install-deps.sh --test)" >&2
    exit 1
fi
version="$(clang-format --version)"
if [[ ! "$version" =~ version\ $wanted\. ]]; then
    echo "check-format.sh: this check needs clang-format $wanted, found: $version" >&2
    exit 1
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
fi

off=()
for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || off+=("$f")
done
if ((${#off[@]})); then
    echo "check-format.sh: these files differ from .clang-format ($version):" >&2
    printf '  %s\n' "${off[@]}" >&2
    echo "check-format.sh: clang-format -i FILE mends one" >&2
    exit 1
fi
echo "check-format.sh: ${#files[@]} files match .clang-format"
