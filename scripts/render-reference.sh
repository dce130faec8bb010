#!/usr/bin/env bash
# Renders the GEM reference of the sample equipment the way a reader sees it:
# compiles examples/equipment.txt, exports it as HTML with ZorInspect and
# takes a headless Chromium screenshot (and a PDF, to see the print layout).
# Needs the Debian packages chromium and fonts-ipafont-gothic (Japanese).
# Usage: scripts/render-reference.sh [OUT.png]   (default docs/inspect-reference.png)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZOR_BUILD_DIR:-$root/build}"
png="$(realpath -m "${1:-$root/docs/inspect-reference.png}")"
browser="$(command -v chromium || command -v chromium-browser || true)"
[ -n "$browser" ] || { echo "chromium is not installed (apt-get install chromium)"; exit 1; }
work="$(mktemp -d /tmp/render_reference.XXXXXX)"
trap 'rm -rf "$work"' EXIT
cp "$root/examples/equipment.txt" "$work/"
(cd "$work" && "$build/compiler/ZorCompile" equipment.txt > compile.log)
(cd "$work" && "$build/inspect/ZorInspect" export equipment.fil --format html -o equipment.html)
flags=(--headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$work/profile")
"$browser" "${flags[@]}" --window-size=1280,2560 --screenshot="$png" \
    "file://$work/equipment.html" 2> "$work/browser.log"
echo "wrote $png"
if [ $# -ge 2 ]; then
    pdf="$(realpath -m "$2")"
    "$browser" "${flags[@]}" --no-pdf-header-footer --print-to-pdf="$pdf" \
        "file://$work/equipment.html" 2>> "$work/browser.log"
    echo "wrote $pdf"
fi
