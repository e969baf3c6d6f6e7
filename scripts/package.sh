#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages of the committed tree, as Debian
# builds them: the upstream tarball brindlecot_<upstream>.orig.tar.xz made by
# git archive without debian/, unpacked with debian/ beside it, then
# dpkg-buildpackage (source first, then the program, its desktop entry, icons,
# AppStream metainfo and manual pages, with Debian's build and hardening flags;
# no tests). Everything it writes is in build/package/ (the .dsc, the .changes
# and the rest), and the binary package is copied to
# build/brindlecot_<version>_<arch>.deb. Install it with:
#   apt install ./build/brindlecot_*.deb
# Changes not committed are not in the packages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
version=$(git show HEAD:debian/changelog | dpkg-parsechangelog -l- -S Version)
upstream=${version%-*}
work=build/package
source="$work/brindlecot-$upstream"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "package.sh: uncommitted changes are left out; the packages are of $(git rev-parse --short HEAD)" >&2
fi
rm -rf "$work"
mkdir -p "$work"
# The commit's own time stamps: the same commit gives the same tarball.
git archive --format=tar --prefix="brindlecot-$upstream/" HEAD -- . ':(exclude)debian' |
    xz -6 >"$work/brindlecot_$upstream.orig.tar.xz"
tar -C "$work" -xf "$work/brindlecot_$upstream.orig.tar.xz"
git archive --format=tar HEAD debian | tar -C "$source" -xf -
(cd "$source" && dpkg-buildpackage -us -uc)
rm -f build/brindlecot_*.deb
cp "$work/brindlecot_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb" build/
ls "$work"/brindlecot_"$version"*.dsc "$work"/brindlecot_"$version"_*.changes build/brindlecot_*.deb
