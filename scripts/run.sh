#!/usr/bin/env bash
# Installs what building and running need, builds the program alone in
# build/run/ (the run preset) and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake --preset run
cmake --build --preset run
exec build/run/app/brindlecot "$@"
