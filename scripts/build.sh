#!/usr/bin/env bash
# Configures and builds everything into build/test/ (the test preset, Release
# with debug info): the program, the tests and the benchmarks. Arguments go to
# the configuration, e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset test "$@"
cmake --build --preset test
