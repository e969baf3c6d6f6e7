#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds everything into build/test/ (the test preset,
# optimised with line tables): the program, the tests and the benchmarks.
# Arguments go to the configuration, e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset test "$@"
cmake --build --preset test
