#!/usr/bin/env bash
# Builds (optimised) and runs the compile benchmark.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
python3 "$root/bench/compile_bench.py" "${ZOR_BUILD_DIR:-$root/build}/compiler/ZorCompile"
