#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing on Debian/Ubuntu for one purpose:
#   setup.sh run      building and running the program
#   setup.sh package  the same, and building its Debian package
#   setup.sh test     building and running the program, its tests and its
#                     benchmarks (the default)
#   setup.sh fuzz     building and running the program's fuzzer (clang)
#   setup.sh ci       everything CI does: the tests, the sanitizers, the
#                     fuzzer, the licences, the package and its checks
# Each purpose installs only what it needs: on a fresh machine the download
# and unpacking of packages is much of the set-up's time.
# Safe to run again: packages already present are not touched.
set -euo pipefail

# qt6-l10n-tools has lrelease and lupdate; IPAPGothic is the window's font for
# Japanese and the Latin languages.
run_packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-qpa-plugins qt6-l10n-tools qt6-translations-l10n libxcb1-dev
    libtag1-dev lame fonts-ipafont-gothic xdg-utils
)
# The window's fonts for Chinese (WenQuanYi Micro Hei) and Korean
# (NanumGothic): for running, only the user's language's; the tests measure
# every language's texts with its font.
chinese_font=fonts-wqy-microhei korean_font=fonts-nanum
case "${LANGUAGE:-${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}}" in
zh*) run_packages+=("$chinese_font") ;;
ko*) run_packages+=("$korean_font") ;;
esac
# po4a makes the manual pages; debhelper builds the package; dpkg-shlibdeps
# (dpkg-dev) and file find its library dependencies; git and xz make the
# upstream tarball.
package_packages=(po4a dpkg-dev file debhelper git xz-utils)
test_packages=(
    po4a "$chinese_font" "$korean_font"
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth openbox x11-utils xdotool wmctrl dbus exfat-fuse exfatprogs
    weston xwayland qt6-wayland
    # Every desktop has it: the tests' own bus must not start it.
    xdg-desktop-portal
)
fuzz_packages=(clang libclang-rt-dev)
# What CI checks beyond the tests: the licences, the package's hardening,
# its desktop file, its metainfo, and lintian.
check_packages=(reuse devscripts desktop-file-utils appstream lintian)

case "${1:-test}" in
run) packages=("${run_packages[@]}") ;;
package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
fuzz) packages=("${run_packages[@]}" "${fuzz_packages[@]}") ;;
ci)
    packages=("${run_packages[@]}" "${test_packages[@]}" "${package_packages[@]}"
        "${fuzz_packages[@]}" "${check_packages[@]}")
    ;;
*)
    echo "usage: $0 [run|package|test|fuzz|ci]" >&2
    exit 2
    ;;
esac

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
    # dpkg syncs each file it unpacks before putting it in place, about a
    # third of a fresh machine's set-up; unsafe-io leaves the syncs out (a
    # machine that dies mid-install may need a package installed again).
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends \
        -o Dpkg::Options::=--force-unsafe-io "${missing[@]}"
fi
