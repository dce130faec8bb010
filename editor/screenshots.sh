#!/usr/bin/env bash
# Writes a PNG of every window of ZorGemSet, showing the sample equipment,
# into DIR (default out/screenshots). Runs the editor under Xvfb, so it works
# on a machine without a display. Run from the repository root after a build
# (BUILD_DIR, default build).
set -euo pipefail
root=$(pwd)
build=$(cd "${BUILD_DIR:-build}" && pwd)
out=${1:-out/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/equipment.txt" "$root/examples/equipment.cnf" "$work/"
(cd "$work" && "$build/compiler/ZorCompile" "$work/equipment.txt" >/dev/null)
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/editor/ZorGemSet" --screenshots "$out" --equipment "$work/equipment.cnf" "$work/equipment.fil"
