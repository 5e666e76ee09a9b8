#!/usr/bin/env bash
# Installs what the build needs, builds tarvex and tarvex-resize (Release),
# then starts the desktop program when a display can be reached, with copies
# of the sample images in a fresh folder to drop on its window. Without a
# display it says so and runs the command-line demo: tarvex-resize over the
# samples, listing what it wrote.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTARVEX_TESTS=OFF
resize="$root/build/release/apps/tarvex-resize"
desktop="$root/build/release/apps/tarvex"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-demo.XXXXXX")
cp "$root"/samples/*.{bmp,jpg,png,gif,ico} "$work"/
chmod u+w "$work"/*

display_reachable() {
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        local socket=$WAYLAND_DISPLAY
        [ "${socket#/}" != "$socket" ] || socket="${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/$socket"
        [ -S "$socket" ] && return 0
    fi
    if [ -n "${DISPLAY:-}" ]; then
        if command -v xdpyinfo >/dev/null; then
            xdpyinfo >/dev/null 2>&1 && return 0
        else
            # Without xdpyinfo: a local display's socket.
            local number=${DISPLAY#*:}
            number=${number%%.*}
            [ -S "/tmp/.X11-unix/X$number" ] && return 0
        fi
    fi
    return 1
}

if [ -x "$desktop" ] && display_reachable; then
    echo "== Starting tarvex. Drop images on its Drop Box, for example the copies in:"
    echo "   $work"
    exec "$desktop"
fi

echo "== No display reachable (DISPLAY/WAYLAND_DISPLAY unset or not answering):"
echo "   running the command-line demo instead."
echo "== One specific size: 64x64, keeping the ratio"
"$resize" --pixels 64x64 "$work"/*.*
echo "== Several sizes at once: 5 samples over 32-1200 px"
"$resize" --various --max-range --samples 5 "$work"/rgb24.bmp "$work"/hopper.jpg

echo "== Everything in $work:"
(cd "$work" && find . -type f | sort)
