#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it with the
# checked-in .clang-format. Checks the folders in `folders` (or the ones given
# as arguments).
set -euo pipefail
folders=(compiler tests editor zoredit textscan platform bench inspect secs sim)
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
[ $# -gt 0 ] && folders=("$@")
command -v clang-format >/dev/null || { echo "format-check: clang-format is not installed (scripts/setup.sh)" >&2; exit 2; }
present=()
for d in "${folders[@]}"; do [ -d "$d" ] && present+=("$d"); done
[ ${#present[@]} -gt 0 ] || { echo "format-check: none of ${folders[*]} exists" >&2; exit 2; }
files=()
while IFS= read -r f; do
    [ -f "$f" ] && files+=("$f")
done < <(git ls-files --cached --others --exclude-standard -- "${present[@]/%//*.cpp}" "${present[@]/%//*.h}")
clang-format --dry-run --Werror "${files[@]}"
echo "format-check: ${#files[@]} files in ${present[*]} as clang-format writes them"
