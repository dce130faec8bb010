#!/usr/bin/env bash
# Builds (optimised) and runs the ZorInspect benchmark: the compile
# benchmark's generated source at 1024, 2048, 4096 and 8192 blocks of each
# kind (8192 is the maximum equipment), compiled by ZorCompile; then the
# check of each against zoredit's load of it, in the same run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh"
work="$(mktemp -d /tmp/inspect_bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
files=()
for n in 1024 2048 4096 8192; do
    mkdir "$work/$n"
    python3 "$root/bench/gen_equipment.py" --blocks "$n" "$work/$n/equipment.txt"
    (cd "$work/$n" && "$build/compiler/ZorCompile" equipment.txt > compile.log) ||
        { echo "compile of $n blocks failed"; tail "$work/$n/compile.log"; exit 1; }
    cp "$work/$n/equipment.fil" "$work/eq$n.fil"
    files+=("$work/eq$n.fil")
done
"$build/bench/inspect_bench" "${files[@]}"
