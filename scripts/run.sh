#!/usr/bin/env bash
# Set-up, build and start the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/app/brindlecot
