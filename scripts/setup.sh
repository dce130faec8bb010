#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the screenshots and the
# package checks need, only when some are missing (so a warm machine does not
# touch apt).
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev qt6-base-dev
          xvfb xauth fonts-ipafont-gothic binutils python3 clang-format
          dpkg-dev lintian pkgconf appstream desktop-file-utils man-db locales
          python3-jsonschema pandoc mono-mcs g++-mingw-w64-x86-64-posix wine64 zip)
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
# The Japanese manual pages are checked in a Japanese locale.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "generating the locale ja_JP.UTF-8"
    $sudo_cmd localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
fi
