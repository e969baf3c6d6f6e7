#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/brindlecot_<version>_<arch>.deb through
# debhelper (debian/): the program, its desktop entry, icons, AppStream
# metainfo and manual page, with Debian's build and hardening flags (no tests).
# Install it with: apt install ./build/brindlecot_*.deb
# dpkg-buildpackage writes its results beside the source tree, so it builds a
# copy of the tree in build/package/: nothing is written outside build/, and
# the tree's own parent folder may be read-only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
version=$(dpkg-parsechangelog -S Version)
work=build/package
source="$work/brindlecot-${version%-*}"
rm -rf "$work"
mkdir -p "$source"
tar --exclude=./build --exclude='./build-*' --exclude=./.git --exclude=./fuzz/corpus -cf - . |
    tar -C "$source" -xf -
(cd "$source" && dpkg-buildpackage -us -uc -b)
rm -f build/brindlecot_*.deb
cp "$work/brindlecot_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb" build/
ls build/brindlecot_*.deb
