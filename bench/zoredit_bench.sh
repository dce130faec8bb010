#!/usr/bin/env bash
# Builds (optimised) and runs the zoredit benchmark on the maximum equipment:
# the compile benchmark's generated source, compiled by ZorCompile; then
# compiles the written source again and compares the object files.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh"
work="$(mktemp -d /tmp/zoredit_bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
cd "$work"
if [ -f "$root/bench/gen_equipment.py" ] && [ -x "$build/compiler/ZorCompile" ]; then
    python3 "$root/bench/gen_equipment.py" equipment.txt
    "$build/compiler/ZorCompile" equipment.txt > compile.log || { echo "compile failed"; tail compile.log; exit 1; }
    printf 'LOG_SIZE         = 1000\r\n' > equipment.cnf
    "$build/bench/zoredit_bench" equipment.fil equipment.cnf written.txt equipment.txt
    mkdir back && cp written.txt back/equipment.txt
    (cd back && "$build/compiler/ZorCompile" equipment.txt > compile.log) || { echo "written source does not compile"; exit 1; }
    if cmp -s equipment.fil back/equipment.fil; then echo "round trip: identical object file"; else echo "round trip: object files differ"; exit 1; fi
else
    "$build/bench/zoredit_bench"
fi
