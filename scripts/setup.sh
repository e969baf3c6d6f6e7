#!/usr/bin/env bash
# Installs whatever the build, the tests and the program need on Debian/Ubuntu.
# Safe to run again: packages already present are not touched.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-qpa-plugins
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang libclang-rt-dev
    lame fonts-ipafont-gothic xvfb xauth xdg-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
