#!/usr/bin/env bash
# Installs what the build needs, builds tarvex-resize, and resizes the sample
# images into a fresh temporary folder, listing what it wrote.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTARVEX_TESTS=OFF
resize="$root/build/release/apps/tarvex-resize"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-demo.XXXXXX")
cp "$root"/samples/*.{bmp,jpg,png,gif,ico} "$work"/
chmod u+w "$work"/*

echo "== One specific size: 64x64, keeping the ratio"
"$resize" --pixels 64x64 "$work"/*.*
echo "== Several sizes at once: 5 samples over 32-1200 px"
"$resize" --various --max-range --samples 5 "$work"/rgb24.bmp "$work"/hopper.jpg

echo "== Everything in $work:"
(cd "$work" && find . -type f | sort)
