#!/usr/bin/env bash
# Configures and builds everything into build/ (Release with debug info):
# the program, the tests and the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINDLECOT_TESTS=ON -DBRINDLECOT_BENCH=ON "$@"
cmake --build build
