#!/usr/bin/env bash
# Builds (optimised) and runs the ZorGemSim benchmark on the maximum
# equipment: the compile benchmark's generated source at 8192 blocks of each
# kind, compiled by ZorCompile, served by ZorGemSim to sim_bench as the host.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
ZOR_TARGETS="ZorCompile ZorGemSim sim_bench" bash "$root/scripts/build.sh"
work="$(mktemp -d /tmp/sim_bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/gen_equipment.py" --blocks 8192 "$work/equipment.txt"
(cd "$work" && "$build/compiler/ZorCompile" equipment.txt > compile.log) ||
    { echo "compile failed"; tail "$work/compile.log"; exit 1; }
printf 'COMM_PORT = 0\r\nCOMM_DEVICE = 0\r\nS1F13_SEND = 2\r\n' > "$work/equipment.cnf"
cd "$work"
# CE_EVENT_00001 is 0x400001, SV_SENSOR_00001 0x200001.
"$build/bench/sim_bench" "$build/sim/ZorGemSim" equipment.cnf equipment.fil 0x400001 0x200001
