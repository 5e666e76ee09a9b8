#!/bin/sh
# Installs the desktop files of a configured build into a fresh prefix and
# checks them as a desktop and a software centre would: the launcher entry
# and the metainfo validate, and every icon size lies where the entry's
# Icon= name is looked up.
# Usage: check-install.sh <build dir> <scratch prefix>
set -eu
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --component desktop --prefix "$prefix" >/dev/null

share=$prefix/share
desktop=$share/applications/tarvex.desktop
metainfo=$share/metainfo/org.zorq.Tarvex.metainfo.xml
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

for file in "$desktop" "$metainfo" "$share/icons/hicolor/scalable/apps/tarvex.svg"; do
    [ -f "$file" ] || fail "$file was not installed"
done
for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/tarvex.png
    [ -f "$icon" ] || { fail "$icon was not installed"; continue; }
    # PNG width and height, big-endian at bytes 16..23.
    dims=$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')
    expected="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
    [ "$dims" = "$expected" ] || fail "$icon is not ${size}x${size} ($dims)"
done
grep -qx 'Icon=tarvex' "$desktop" || fail "Icon= does not name the installed icon"
grep -qx 'Exec=tarvex %F' "$desktop" || fail "Exec= does not start tarvex with the files"
grep -q '<launchable type="desktop-id">tarvex.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch the installed entry"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate not installed; entry not validated" >&2
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
else
    echo "appstreamcli not installed; metainfo not validated" >&2
fi
exit $status
