#!/usr/bin/env bash
# Builds the Debian packages zorgem and zorgem-dev from a Release build:
# configures and builds $ZOR_BUILD_DIR (default build-release/) when needed,
# then runs CPack there. The .deb files land in $ZOR_PACKAGE_DIR (default
# out/package/). Extra arguments go to cmake's configure step.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build-release}"
out="${ZOR_PACKAGE_DIR:-$root/out/package}"
# The package installs under /usr: the build is configured for that prefix,
# so the multiarch library directory and the pkg-config files match it. Its
# binaries carry Debian's hardening flags.
ZOR_BUILD_DIR="$build" ZOR_BUILD_TYPE="${ZOR_BUILD_TYPE:-Release}" bash "$root/scripts/build.sh" \
    -DCMAKE_INSTALL_PREFIX=/usr -DZOR_HARDENING=ON "$@"
mkdir -p "$out"
rm -f "$out"/zorgem*.deb
(cd "$build" && cpack -G DEB -B "$out") >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log" >&2
    echo "package.sh: cpack failed" >&2
    exit 1
}
rm -rf "$out/_CPack_Packages"
ls "$out"/zorgem*.deb
