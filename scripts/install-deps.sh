#!/usr/bin/env bash
# Installs what Tarvex needs to build and test on Debian 12 (run as root).
# Packages already present are not fetched again, so repeated runs are quick.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang
    libjpeg62-turbo-dev libpng-dev zlib1g-dev libsqlite3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # third-party readers the tests check our output with
    pngcheck imagemagick giflib-tools icoutils
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
