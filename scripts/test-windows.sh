#!/usr/bin/env bash
# Builds the Windows programs and libraries with MinGW-w64 into build-win/
# (or $ZOR_WIN_BUILD_DIR) and tests them under Wine: the unit tests that need
# no Qt, then every output of ZorCompile.exe and ZorInspect.exe compared byte
# for byte with the Linux build's ($ZOR_BUILD_DIR, built here when missing),
# then ZorGemSim.exe answering a Linux host over HSMS and the other way round
# (the host built with MinGW against libzorsecs.a), then the consumer
# program built with MinGW against zoredit.dll, then the DLLs' exports.
# Ends with the line "N passed, N failed"; the exit status is 0 when none failed.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
win="${ZOR_WIN_BUILD_DIR:-$root/build-win}"
linux="${ZOR_BUILD_DIR:-$root/build}"
wine=/usr/lib/wine/wine64
bash "$root/scripts/setup.sh"
set -e

# The Windows test set: unit test programs (relative to the build directory).
# Add a library's test here when it builds for Windows.
unit_tests=(platform/platform_test textscan/textscan_test compiler/compiler_test
            inspect/inspect_test secs/secs_test sim/sim_test)
# Sources compiled by both builds and compared output by output.
sources=("$root/examples/equipment.txt" "$root"/compiler/fuzz_seeds/*.txt)

if ! log=$(cmake -S "$root" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DZOR_PARTS="platform;textscan;compiler;zoredit;inspect;secs;sim" "$@" 2>&1); then
    printf '%s\n' "$log" >&2
    exit 1
fi
targets=(ZorCompile ZorInspect ZorGemSim textscan zoredit_shared secs_dist)
for t in "${unit_tests[@]}"; do targets+=("$(basename "$t")"); done
cmake --build "$win" --target "${targets[@]}"
if [ ! -f "$linux/build.ninja" ]; then
    cmake -S "$root" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$linux" --target ZorCompile ZorInspect ZorGemSim secs_host_request >/dev/null
set +e

# Wine keeps Windows file names as UTF-8 on the Linux disk: a C locale could
# not hold a Japanese name.
export WINEPREFIX="$win/wine" WINEDEBUG=-all LC_ALL=C.UTF-8
# One Wine server for the whole run; its output must not hold our pipes open.
"${wine%64}server64" -p >/dev/null 2>&1 </dev/null || /usr/lib/wine/wineserver64 -p >/dev/null 2>&1 </dev/null
trap '/usr/lib/wine/wineserver64 -k >/dev/null 2>&1 </dev/null' EXIT
run_wine() { "$wine" "$@" </dev/null; }

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1"; }
# Compares two directories file by file, each file named in the result.
same_tree() {
    local what="$1" a="$2" b="$3" f
    for f in $(cd "$a" && find . -type f | sort); do
        if cmp -s "$a/$f" "$b/$f"; then pass "$what ${f#./}"; else fail "$what ${f#./}"; fi
    done
    [ "$(cd "$a" && find . -type f | sort)" = "$(cd "$b" && find . -type f | sort)" ] ||
        fail "$what: the two builds wrote different sets of files"
}

echo "== unit tests under Wine"
for t in "${unit_tests[@]}"; do
    if run_wine "$win/$t.exe" >"$win/$(basename "$t").log" 2>&1; then
        pass "$t"
    else
        fail "$t (see $win/$(basename "$t").log)"
    fi
done

work="$win/windows-e2e"
rm -rf "$work"
mkdir -p "$work"
win_compile="$work/bin/ZorCompile.exe"
mkdir -p "$work/bin"
# And a generated equipment: every kind of definition, 64 of each.
python3 "$root/bench/gen_equipment.py" --blocks 64 "$work/generated.txt"
sources+=("$work/generated.txt")
cp "$win/compiler/ZorCompile.exe" "$win/inspect/ZorInspect.exe" "$win/zoredit/zoredit.dll" \
    "$win/textscan/textscan.dll" "$work/bin/"
# The log names the program as started; Wine starts it by its Windows path,
# so the Linux build is started under that same name.
win_name="Z:$(printf '%s' "$win_compile" | tr / '\\')"

echo "== ZorCompile: Linux and Windows outputs"
for source in "${sources[@]}"; do
    name=$(basename "$source" .txt)
    for side in linux windows; do
        mkdir -p "$work/$name/$side"
        cp "$source" "$work/$name/$side/"
    done
    (cd "$work/$name/linux" && (exec -a "$win_name" "$linux/compiler/ZorCompile" "$name.txt") \
        >stdout 2>&1; echo $? >exit-status)
    (cd "$work/$name/windows" && run_wine "$win_compile" "$name.txt" >stdout 2>&1;
        echo $? >exit-status)
    same_tree "compile $name:" "$work/$name/linux" "$work/$name/windows"
done

echo "== ZorInspect: Linux and Windows outputs on the sample"
fil_dir="$work/equipment/linux"
for side in linux windows; do
    mkdir -p "$work/inspect/$side"
    if [ $side = linux ]; then
        inspect=("$linux/inspect/ZorInspect")
    else
        inspect=("$wine" "$work/bin/ZorInspect.exe")
    fi
    (
        cd "$fil_dir"
        out="$work/inspect/$side"
        "${inspect[@]}" check equipment.fil --source equipment.txt >"$out/check.txt" 2>&1 </dev/null
        echo $? >>"$out/status.txt"
        "${inspect[@]}" check equipment.fil --json >"$out/check.json" 2>&1 </dev/null
        for format in json markdown html; do
            "${inspect[@]}" export equipment.fil --format $format >"$out/export.$format" 2>&1 </dev/null
            echo $? >>"$out/status.txt"
        done
        "${inspect[@]}" export equipment.fil --format csv -o "../../inspect/$side/csv" \
            >"$out/export-csv.txt" 2>&1 </dev/null
        "${inspect[@]}" diff equipment.fil ../../errors/linux/errors.fil >"$out/diff.txt" 2>&1 \
            </dev/null
        echo $? >>"$out/status.txt"
    )
done
same_tree "inspect:" "$work/inspect/linux" "$work/inspect/windows"

echo "== ZorGemSim.exe on the sample, asked by a Linux host"
# The object file is the one ZorCompile.exe wrote above. The script ends the
# simulator once the host's S1F1 has come, so it also shows a clean exit.
sim_dir="$work/sim"
mkdir -p "$sim_dir"
cp "$root/examples/equipment.cnf" "$work/equipment/windows/equipment.fil" "$sim_dir/"
printf 'expect S1F13\nexpect S1F1\nquit\n' >"$sim_dir/host.scn"
(cd "$sim_dir" && timeout 90 "$wine" "$win/sim/ZorGemSim.exe" equipment.cnf equipment.fil \
    --port 0 --mdln WINE-EQ --softrev W1 --script host.scn >sim.out 2>sim.err </dev/null;
    echo $? >sim.status) &
sim_job=$!
# Wine starts slowly: wait up to 60 s for the port it says it listens on.
port=""
for _ in $(seq 600); do
    port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$sim_dir/sim.out" 2>/dev/null |
        head -1)
    [ -n "$port" ] || [ -f "$sim_dir/sim.status" ] && break
    sleep 0.1
done
if [ -n "$port" ]; then
    "$linux/secs/secs_host_request" "$port" "S1F13 <L[0]>" "S1F1" >"$sim_dir/host.out" 2>&1
fi
wait "$sim_job"
expected='equipment: S1F13 W <L[0]>
host: S1F13 <L[0]> -> S1F14 <L[2] <B 0x00> <L[2] <A "WINE-EQ"> <A "W1">>>
host: S1F1 -> S1F2 <L[2] <A "WINE-EQ"> <A "W1">>'
if [ -n "$port" ] && [ "$(cat "$sim_dir/host.out")" = "$expected" ]; then
    pass "ZorGemSim.exe answers S1F13 and S1F1"
else
    fail "ZorGemSim.exe answers S1F13 and S1F1 (see $sim_dir)"
fi
if [ "$(cat "$sim_dir/sim.status" 2>/dev/null)" = 0 ]; then
    pass "ZorGemSim.exe ends with its script"
else
    fail "ZorGemSim.exe ends with its script: status $(cat "$sim_dir/sim.status" 2>/dev/null)"
fi

echo "== the host built with MinGW against libzorsecs.a asks the Linux ZorGemSim"
# What a user of the zip's SECS library builds: its headers, the archive and
# Winsock, nothing else.
host_exe="$work/bin/secs_host_request.exe"
lin_dir="$work/sim-linux"
mkdir -p "$lin_dir"
cp "$root/examples/equipment.cnf" "$work/equipment/linux/equipment.fil" "$lin_dir/"
printf 'expect S1F13\nexpect S1F1\nquit\n' >"$lin_dir/host.scn"
if x86_64-w64-mingw32-g++-posix -std=c++20 -static -o "$host_exe" "$root/secs/examples/host_request.cpp" \
        -I"$root" -L"$win/secs" -lzorsecs -lws2_32; then
    (cd "$lin_dir" && timeout 90 "$linux/sim/ZorGemSim" equipment.cnf equipment.fil --port 0 \
        --mdln LINUX-EQ --softrev L1 --script host.scn >sim.out 2>sim.err </dev/null;
        echo $? >sim.status) &
    sim_job=$!
    port=""
    for _ in $(seq 300); do
        port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$lin_dir/sim.out" \
            2>/dev/null | head -1)
        [ -n "$port" ] || [ -f "$lin_dir/sim.status" ] && break
        sleep 0.1
    done
    [ -n "$port" ] && run_wine "$host_exe" "$port" "S1F13 <L[0]>" "S1F1" >"$lin_dir/host.out" 2>&1
    wait "$sim_job"
    expected='equipment: S1F13 W <L[0]>
host: S1F13 <L[0]> -> S1F14 <L[2] <B 0x00> <L[2] <A "LINUX-EQ"> <A "L1">>>
host: S1F1 -> S1F2 <L[2] <A "LINUX-EQ"> <A "L1">>'
    if [ -n "$port" ] && [ "$(tr -d '\r' <"$lin_dir/host.out")" = "$expected" ] &&
        [ "$(cat "$lin_dir/sim.status")" = 0 ]; then
        pass "secs_host_request.exe asks S1F13 and S1F1 and gets the replies"
    else
        fail "secs_host_request.exe against the Linux ZorGemSim (see $lin_dir)"
    fi
else
    fail "secs_host_request.exe builds against libzorsecs.a"
fi

echo "== consumer.c built with MinGW against zoredit.dll, round trip of the sample"
consumer="$work/bin/consumer.exe"
if x86_64-w64-mingw32-gcc-posix -o "$consumer" "$root/packaging/consumer/consumer.c" \
        -I"$root/zoredit" -I"$root/textscan" -L"$win/zoredit" -L"$win/textscan" \
        -lzoredit -ltextscan; then
    pass "consumer builds"
    trip="$work/roundtrip"
    mkdir -p "$trip"
    cp "$root/examples/equipment.cnf" "$fil_dir/equipment.fil" "$trip/"
    if (cd "$trip" && run_wine "$consumer" equipment.cnf equipment.fil written.txt >consumer.out 2>&1) &&
        (cd "$trip" && run_wine "$win_compile" written.txt >/dev/null 2>&1) &&
        cmp -s "$trip/written.fil" "$fil_dir/equipment.fil"; then
        pass "consumer round trip: the written source compiles to the same object file"
    else
        fail "consumer round trip (see $trip)"
    fi
else
    fail "consumer builds"
fi

echo "== ZorCompile.exe exports the text scanning functions by name"
exports=$(x86_64-w64-mingw32-objdump -p "$win_compile" | awk '/Ordinal\/Name Pointer/{on=1; next} on && /\]/{print $NF}')
missing=""
for f in get_field_item API_str_encode API_str_decode remove_cr_lf s_atoi; do
    grep -qx "$f" <<<"$exports" || missing+=" $f"
done
if [ -z "$missing" ]; then pass "exports by name"; else fail "exports by name: missing$missing"; fi

echo "== zoredit.dll exports the functions of zoredit.h and nothing else"
declared=$(grep -E '^ZOREDIT_API ' "$root/zoredit/zoredit.h" |
    sed -E 's/^([^(]*[ *])([A-Za-z_0-9]+)\(.*/\2/' | LC_ALL=C sort)
exported=$(x86_64-w64-mingw32-objdump -p "$win/zoredit/zoredit.dll" |
    awk '/Ordinal\/Name Pointer/{on=1; next} on && /^$/{exit} on {print $NF}' | LC_ALL=C sort)
if [ -n "$declared" ] && [ "$declared" = "$exported" ]; then
    pass "zoredit.dll exports $(wc -l <<<"$exported") functions, those of its header"
else
    fail "zoredit.dll exports: $(diff <(echo "$declared") <(echo "$exported") | grep '^[<>]' | head -5 | tr '\n' ' ')"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
