#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the header reader's fuzzer with clang in build/fuzz/ (the fuzz
# preset) and runs it for $1 seconds (default 60). Exits non-zero when the
# fuzzer finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

scripts/setup.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Seeds: a bare header, one after other bytes, tagged files, a cut tag, and a
# real stream when lame is at hand.
seeds=build/fuzz/fuzz-seeds
corpus=build/fuzz/fuzz-corpus
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus"
printf '\xff\xfb\x90\x44' >"$seeds/layer3"
printf 'junk\x00\x01\x02\x03\x04\x05\xff\xfd\xa4\xc0\x00\x00' >"$seeds/junk_layer2"
printf '\xff\xf3\x64\x00\x00\x00\x00\x00' >"$seeds/mpeg2"
printf 'ID3\x04\x00\x00\x00\x00\x00\x06\xff\xfe\x00T\x00i\xff\xfb\x90\x64\x00\x00' >"$seeds/id3"
printf 'ID3\x04\x00\x10\x00\x00\x00\x02\x00\x00' >"$seeds/id3_footer"
printf '3DI\x04\x00\x10\x00\x00\x00\x02\xff\xe2\x10\x80' >>"$seeds/id3_footer"
printf 'ID3\x03\x00\x00\x00\x00\x7f\x7f\xff\xfb\x90\x44' >"$seeds/id3_past_end"
printf 'ID3\xff\x00\x00\x00\x00\x00\x01\xff\xfe\x00\x00' >"$seeds/id3_bad_version"
if command -v lame >/dev/null; then
    head -c 20000 /dev/urandom |
        lame --quiet -r -s 44.1 --bitwidth 16 -b 32 --tt Seed - "$seeds/lame_tagged.mp3" || true
fi

build/fuzz/fuzz/fuzz_mpeg_header -max_total_time="$seconds" -timeout=10 -max_len=8192 \
    -dict=fuzz/mpeg_header.dict -artifact_prefix=build/fuzz/ -print_final_stats=1 \
    "$corpus" "$seeds"
