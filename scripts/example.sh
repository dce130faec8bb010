#!/usr/bin/env bash
# The first run: builds only the programs it runs, compiles the bundled
# sample equipment in out/example/, checks it as a whole, writes its GEM
# reference, lets ZorGemSim answer a host on loopback and says how to open it
# in the editor. (scripts/test.sh builds and tests everything.)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
ZOR_TARGETS="ZorCompile ZorInspect ZorGemSim secs_host_request" bash "$root/scripts/build.sh"
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

echo
echo "== ZorGemSim equipment.cnf equipment.fil --port 0 --script sim-script.txt"
# The simulator plays the sample equipment until the host has asked its
# question; the host (secs/examples/host_request.cpp) asks for the values of
# every status variable.
printf 'expect S1F3\nquit\n' > sim-script.txt
"$build/sim/ZorGemSim" equipment.cnf equipment.fil --port 0 --script sim-script.txt \
    </dev/null >sim.log 2>&1 &
sim=$!
port=""
for _ in $(seq 100); do
    port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' sim.log)
    [ -n "$port" ] && break
    kill -0 "$sim" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$port" ]; then
    kill "$sim" 2>/dev/null || true
    cat sim.log
    echo "ZorGemSim did not listen"
    exit 1
fi
echo "the host's side:"
"$build/secs/secs_host_request" "$port" "S1F3 W <L[0]>" | sed 's/^/    /' || status=1
wait "$sim" || status=1
# Its log is UTF-8 already: SML shows texts so.
echo "the simulator's log (also in out/example/sim.log):"
sed 's/^/    /' sim.log

echo
echo "== the editor: cmake --build ${build#"$root"/} --target ZorGemSet, then ${build#"$root"/}/editor/ZorGemSet," \
    "\"装置別管理情報ファイルの設定\", out/example/equipment.cnf and equipment.txt, \"設定操作開始\""
exit "$status"
