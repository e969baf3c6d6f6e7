#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running need, builds the program alone in
# build/run/ (the run preset) and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake --preset run
cmake --build --preset run
exec build/run/app/brindlecot "$@"
