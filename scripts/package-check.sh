#!/usr/bin/env bash
# Checks the packages that scripts/package.sh built, as installed files:
# unpacks them into a temporary root (dpkg-deb -x), runs the unpacked
# ZorCompile on the sample equipment and the unpacked editor's
# --screenshots offscreen (as a user who cannot write its program
# directory), builds a program against the unpacked libraries with
# pkg-config and with find_package(ZorGem), and runs lintian.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${ZOR_PACKAGE_DIR:-$root/out/package}"
shopt -s nullglob
debs=("$out"/zorgem_*.deb)
devs=("$out"/zorgem-dev_*.deb)
[ ${#debs[@]} -eq 1 ] && [ ${#devs[@]} -eq 1 ] || {
    echo "package-check: expected one zorgem and one zorgem-dev package in $out" >&2
    exit 1
}
fail() { echo "package-check: $*" >&2; exit 1; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
unpacked="$tmp/root"
mkdir -p "$unpacked"
for deb in "${debs[0]}" "${devs[0]}"; do
    echo "== dpkg-deb -c $(basename "$deb")"
    dpkg-deb -c "$deb" | awk '{print $1, $6}'
    dpkg-deb -x "$deb" "$unpacked"
done
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)"
bin="$unpacked/usr/bin"
libdir="$unpacked/usr/lib/$multiarch"
export LD_LIBRARY_PATH="$libdir"

echo "== versions"
for program in ZorCompile ZorInspect ZorGemSet ZorGemSim; do
    version="$("$bin/$program" --version)"
    echo "$version"
    [[ "$version" =~ ^$program\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "$program --version: $version"
done

echo "== the unpacked ZorCompile on the sample equipment"
work="$tmp/work"
mkdir -p "$work"
cp "$unpacked/usr/share/doc/zorgem/examples/equipment.txt" \
   "$unpacked/usr/share/doc/zorgem/examples/equipment.cnf" "$work/"
(cd "$work" && "$bin/ZorCompile" equipment.txt >compile.out) || fail "ZorCompile failed: $(tail -5 "$work/compile.out")"
[ "$(cat "$work/zor_conf.end")" = 0 ] || fail "end marker is not 0"
for f in equipment.fil equipment.h equipment.bas equipment.vb equipment.cs ENG_ID.CSV; do
    [ -s "$work/$f" ] || fail "ZorCompile wrote no $f"
done
"$bin/ZorInspect" check "$work/equipment.fil" --source "$work/equipment.txt" | tail -1
printf 'quit\n' > "$work/quit.txt"
(cd "$work" && "$bin/ZorGemSim" equipment.cnf equipment.fil --port 0 --script quit.txt \
    </dev/null >sim.out) || fail "ZorGemSim failed: $(tail -5 "$work/sim.out")"

echo "== the unpacked ZorGemSet --screenshots, its program directory not writable"
shots="$tmp/shots"
data="$tmp/data"
runtime="$tmp/runtime"
mkdir -p "$shots" "$data" "$runtime"
chmod 700 "$runtime"
before="$(ls -A "$bin")"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    # root can write any directory: the editor runs as nobody instead.
    chown nobody "$shots" "$data" "$work" "$runtime"
    run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod a-w "$bin"
(cd "$work" && env HOME="$data" XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$runtime" \
    QT_QPA_PLATFORM=offscreen LD_LIBRARY_PATH="$libdir" \
    "${run_as[@]}" "$bin/ZorGemSet" --screenshots "$shots" \
    --equipment "$work/equipment.cnf" "$work/equipment.fil") || fail "ZorGemSet --screenshots failed"
chmod u+w "$bin"
count=$(find "$shots" -name '*.png' | wc -l)
[ "$count" -ge 20 ] || fail "only $count screenshots"
[ "$(ls -A "$bin")" = "$before" ] || fail "the editor wrote into its program directory"
[ -d "$data/ZorGemSet" ] || fail "the editor made no \$XDG_DATA_HOME/ZorGemSet"
echo "$count screenshots; files kept in \$XDG_DATA_HOME/ZorGemSet"

echo "== a program built against the unpacked libraries"
expected="U4=44 fields=3"
flags="$(PKG_CONFIG_SYSROOT_DIR="$unpacked" PKG_CONFIG_LIBDIR="$libdir/pkgconfig" \
    pkg-config --cflags --libs zoredit textscan)"
echo "pkg-config: $flags"
# shellcheck disable=SC2086
cc -o "$tmp/consumer-pc" "$root/packaging/consumer/consumer.c" $flags
got="$("$tmp/consumer-pc")"
[[ "$got" == "$expected"* ]] || fail "pkg-config build printed: $got"
cmake -S "$root/packaging/consumer" -B "$tmp/consumer" -G Ninja \
    -DCMAKE_PREFIX_PATH="$unpacked/usr" >/dev/null
cmake --build "$tmp/consumer" >/dev/null
got_cmake="$("$tmp/consumer/consumer")"
[ "$got_cmake" = "$got" ] || fail "find_package build printed: $got_cmake"
echo "consumer: $got"

echo "== desktop entry and AppStream metadata"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml

echo "== lintian"
lintian --fail-on error,warning "${debs[0]}" "${devs[0]}"
echo "package-check: passed"
