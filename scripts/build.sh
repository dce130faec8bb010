#!/usr/bin/env bash
# Configures and builds everything into build/ (or $ZOR_BUILD_DIR), or only
# the targets $ZOR_TARGETS names (e.g. ZOR_TARGETS="ZorCompile ZorInspect").
# Extra arguments go to cmake's configure step, e.g. -DZOR_SANITIZE=ON.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
bash "$root/scripts/setup.sh"
# Quiet when configure succeeds; everything it said when it fails.
if ! configure_log=$(cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE="${ZOR_BUILD_TYPE:-RelWithDebInfo}" "$@" 2>&1); then
    printf '%s\n' "$configure_log" >&2
    echo "build.sh: configuring $build failed" >&2
    exit 1
fi
targets=()
for target in ${ZOR_TARGETS:-}; do
    targets+=(--target "$target")
done
cmake --build "$build" "${targets[@]}"
