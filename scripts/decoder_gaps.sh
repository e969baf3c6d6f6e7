#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# How long a batch of the window takes from one decoder's end to the next
# decoder's start. Runs BENCH (a build's ui_batch_bench) from a copy beside
# which TIMED (that build's bench/timed_lame) stands as its lame, over 300
# files of 3 s, the window alone, and prints the median gap and its quartiles.
# Usage: scripts/decoder_gaps.sh BENCH TIMED [RUNS] [one|several]
set -euo pipefail
bench=$1 timed=$2 runs=${3:-3} mode=${4:-one}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bench" "$work/ui_batch_bench"
cp "$timed" "$work/lame"
TIMED_LAME_REAL=$(command -v lame) TIMED_LAME_LOG="$work/times" \
    "$work/ui_batch_bench" --window-only --mode "$mode" --only 3s --runs "$runs" >/dev/null
# Each end, and the first start after it; gaps over 50 ms lie between batches.
awk '{ print $1, "s"; print $2, "e" }' "$work/times" | sort -n |
    awk '$2 == "e" { ended = $1 } $2 == "s" && ended { gap = ($1 - ended) / 1e6; ended = 0;
                                                       if (gap < 50) print gap }' |
    sort -g | awk '{ g[NR] = $1 } END { printf "decoder gaps (%s): median %.2f ms, quartiles %.2f..%.2f ms, %d gaps\n",
                                          "'"$mode"'", g[int((NR + 1) / 2)], g[int(NR / 4) + 1], g[int(3 * NR / 4)], NR }'
