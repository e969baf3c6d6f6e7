#!/usr/bin/env bash
# Set-up, build of everything and every test in build/test/, from a fresh
# machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
scripts/build.sh
ctest --preset test
