#!/usr/bin/env bash
# The first run: builds only the programs it runs, compiles the bundled
# sample equipment in out/example/, checks it as a whole, writes its GEM
# reference and says how to open it in the editor. (scripts/test.sh builds
# and tests everything.)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
ZOR_TARGETS="ZorCompile ZorInspect" bash "$root/scripts/build.sh"
out="$root/out/example"
rm -rf "$out" && mkdir -p "$out"
cp "$root/examples/equipment.txt" "$root/examples/equipment.cnf" "$out/"
cd "$out"

# The programs write Shift-JIS; a UTF-8 terminal gets UTF-8.
show() {
    if [ "$(locale charmap 2>/dev/null)" = UTF-8 ]; then
        iconv -c -f CP932 -t UTF-8
    else
        cat
    fi
}

echo
echo "== ZorCompile equipment.txt"
status=0
"$build/compiler/ZorCompile" equipment.txt | show || status=${PIPESTATUS[0]}
echo "exit code: $status, end marker zor_conf.end: $(cat zor_conf.end 2>/dev/null || echo none)"
echo "outputs: $(ls equipment.fil equipment.h equipment.bas equipment.vb equipment.cs ENG_ID.CSV \
    ZorEdit.log 2>/dev/null | tr '\n' ' ')"
[ "$status" -eq 0 ] || exit "$status"

echo
echo "== ZorInspect check equipment.fil --source equipment.txt --cnf equipment.cnf"
"$build/inspect/ZorInspect" check equipment.fil --source equipment.txt --cnf equipment.cnf | show ||
    status=${PIPESTATUS[0]}

echo
echo "== ZorInspect export equipment.fil --format html -o equipment.html"
"$build/inspect/ZorInspect" export equipment.fil --format html -o equipment.html
echo "the GEM reference of the sample: $out/equipment.html (open it in a browser)"

# ---- ZorGemSim: the simulator answering one host request on loopback goes
# here once sim/ZorGemSim exists (and joins ZOR_TARGETS above).

echo
echo "== the editor: cmake --build ${build#"$root"/} --target ZorGemSet, then ${build#"$root"/}/editor/ZorGemSet," \
    "\"装置別管理情報ファイルの設定\", out/example/equipment.cnf and equipment.txt, \"設定操作開始\""
exit "$status"
