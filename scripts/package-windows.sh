#!/usr/bin/env bash
# Makes out/package/zorgem-VERSION-win64.zip (or in $ZOR_PACKAGE_DIR) from the
# MinGW build in build-win/ (or $ZOR_WIN_BUILD_DIR), built here when needed:
# the programs, the DLLs and their import libraries, the SECS library as a
# static archive, the headers, the README and the sample equipment. Extra
# arguments go to cmake's configure step.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
win="${ZOR_WIN_BUILD_DIR:-$root/build-win}"
out="${ZOR_PACKAGE_DIR:-$root/out/package}"
bash "$root/scripts/setup.sh"
if ! log=$(cmake -S "$root" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DZOR_PARTS="platform;textscan;compiler;zoredit;inspect;secs;sim" "$@" 2>&1); then
    printf '%s\n' "$log" >&2
    exit 1
fi
cmake --build "$win" --target ZorCompile ZorInspect ZorGemSim textscan zoredit_shared secs_dist
version=$(sed -n 's/^project(ZorGem VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="zorgem-$version-win64"
stage="$win/package/$name"
rm -rf "$stage"
mkdir -p "$stage/bin" "$stage/lib" "$stage/include/secs" "$stage/examples" "$stage/profiles"
cp "$win/compiler/ZorCompile.exe" "$win/inspect/ZorInspect.exe" "$win/sim/ZorGemSim.exe" \
    "$win/zoredit/zoredit.dll" "$win/textscan/textscan.dll" "$stage/bin/"
x86_64-w64-mingw32-strip "$stage"/bin/*
cp "$win/zoredit/libzoredit.dll.a" "$win/textscan/libtextscan.dll.a" "$win/secs/libzorsecs.a" \
    "$stage/lib/"
cp "$root/zoredit/zoredit.h" "$root/textscan/textscan.h" "$stage/include/"
# The headers the Linux development package installs for the SECS library.
cp "$root"/secs/{encoded_list,endpoint,hsms_frame,item,item_codec,message,sml}.h "$stage/include/secs/"
cp "$root/examples/equipment.txt" "$root/examples/equipment.cnf" "$stage/examples/"
cp "$root/inspect/profiles/"* "$stage/profiles/"
# Windows readers expect CR LF in a text file.
sed 's/$/\r/' "$root/README.md" >"$stage/README.md"
sed 's/$/\r/' "$root/packaging/copyright" >"$stage/COPYRIGHT.txt"
mkdir -p "$out"
rm -f "$out/$name.zip"
# Fixed times (zip counts from 1980) and order: the same tree gives the same zip.
find "$stage" -exec touch -d "@${SOURCE_DATE_EPOCH:-315619200}" {} +
(cd "$win/package" && find "$name" -print | LC_ALL=C sort | zip -q -X -D "$out/$name.zip" -@)
echo "$out/$name.zip"
