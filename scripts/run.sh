#!/usr/bin/env bash
# Installs what building and running need, builds the program alone and starts
# it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINDLECOT_TESTS=OFF -DBRINDLECOT_BENCH=OFF
cmake --build build --target brindlecot
exec build/app/brindlecot "$@"
