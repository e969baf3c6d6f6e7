#!/usr/bin/env bash
# Builds the Debian package build/brindlecot_<version>_<arch>.deb: the program,
# its desktop entry, icons, AppStream metainfo and manual page (no tests).
# Install it with: apt install ./build/brindlecot_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINDLECOT_TESTS=OFF -DBRINDLECOT_BENCH=OFF
cmake --build build --target brindlecot brindlecot-data
rm -f build/brindlecot_*.deb
(cd build && cpack -G DEB)
ls build/brindlecot_*.deb
