#!/usr/bin/env bash
# Installs what Tarvex needs to build and test on Debian 12 (run as root).
# Packages already present are not fetched again, so repeated runs are quick.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang ccache
    libjpeg62-turbo-dev libpng-dev zlib1g-dev libsqlite3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # third-party readers the tests check our output with
    pngcheck imagemagick giflib-tools icoutils
    # the desktop program: Qt 6 Widgets, D-Bus and network; libcurl for the
    # update check; fonts for the offscreen tests and screenshots (Latin,
    # Arabic, Hebrew, Thai, Devanagari, CJK)
    qt6-base-dev libcurl4-openssl-dev
    fonts-dejavu-core fonts-noto-core fonts-noto-cjk
    # the desktop program driven as a user drives it: a private X server,
    # input events, a GTK drag source, the accessibility bus, a session bus,
    # a window manager, and the validators of the installed desktop files
    xvfb xauth xdotool x11-utils openbox python3-gi gir1.2-gtk-3.0 gir1.2-atspi-2.0
    at-spi2-core dbus dbus-x11 desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
