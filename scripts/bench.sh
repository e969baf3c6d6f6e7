#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds build/bench/ (the bench preset) and runs every benchmark there in
# turn. Each one's full output goes to build/bench/bench/<name>.log; the
# summary lines (ratios, medians, memory) are printed here. Exits non-zero
# when any benchmark failed. ui_batch_bench starts its own Xvfb and openbox
# (scripts/setup.sh installs them).
set -uo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench || exit 1
cmake --build --preset bench || exit 1

status=0
for bench in build/bench/bench/*_bench; do
    [ -x "$bench" ] || continue
    name=$(basename "$bench")
    echo "== $name"
    if ! "$bench" >"build/bench/bench/$name.log" 2>&1; then
        echo "FAILED (see build/bench/bench/$name.log)"
        status=1
    fi
    # The reporters colour their output even into a file.
    sed 's/\x1b\[[0-9;]*m//g' "build/bench/bench/$name.log" | grep -E '^(ratio|medians|fastest|peak memory|decoder|BM_|start-up|32,767|drop of|window|driver alone)'
done
exit $status
