#!/usr/bin/env bash
# Builds everything and compiles the bundled sample equipment in out/example/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh"
out="$root/out/example"
rm -rf "$out" && mkdir -p "$out"
cp "$root/examples/equipment.txt" "$root/examples/equipment.cnf" "$out/"
cd "$out"
status=0
"$build/compiler/ZorCompile" equipment.txt || status=$?
echo
echo "exit code: $status, end marker: $(cat zor_conf.end 2>/dev/null || echo none)"
echo "outputs in $out:"
ls -l "$out"
exit "$status"
