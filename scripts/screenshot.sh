#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and takes docs/screenshot.png (Japanese),
# docs/screenshot-en.png (English) and, for three more of its languages,
# docs/screenshot-zh_CN.png, -ko.png and -de.png: the window under Xvfb in the middle of
# converting a few tones it encodes first, one item done, one kept back by
# a WAV of its name, one failed, with the legend's hint of every state.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset run >/dev/null
cmake --build --preset run --target brindlecot-screenshot >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A minute of a 440 Hz stereo tone as raw 16-bit samples, encoded, and
# repeated into hour-long files so that the picture catches a file midway.
perl -e 'for $i (0..44100*60-1) { $s = int(8000*sin(2*3.14159265*440*$i/44100)); print pack("ss", $s, $s) }' >"$work/tone.raw"
build/run/app/lame --quiet -r -s 44.1 --bitwidth 16 -b 128 "$work/tone.raw" "$work/tone.mp3" 2>/dev/null
for _ in $(seq 60); do cat "$work/tone.mp3"; done >"$work/long.mp3"
# A library's folders: the list keeps each file's name in view.
album="$work/ミュージック/オーロラ・レーンズ/ファースト・ライト（2026年リマスター）"
mkdir -p "$album"
cp "$work/tone.mp3" "$album/01 朝の歌.mp3"
cp "$work/tone.mp3" "$album/01 朝の歌.mp2"
printf 'no audio here\n%.0s' $(seq 100) >"$album/02 壊れた録音.mp3"
cp "$work/long.mp3" "$album/03 夕暮れ.mp3"
cp "$work/long.mp3" "$album/04 夜想曲.mp3"
names=("01 朝の歌.mp3" "01 朝の歌.mp2" "02 壊れた録音.mp3" "03 夕暮れ.mp3" "04 夜想曲.mp3")
mkdir -p docs
files=()
for name in "${names[@]}"; do files+=("$album/$name"); done
for shot in ja_JP:screenshot en_US:screenshot-en zh_CN:screenshot-zh_CN ko_KR:screenshot-ko de_DE:screenshot-de; do
    # Each picture starts from sources alone: WAVs of the last would be asked about.
    rm -f "$album"/*.wav
    env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="${shot%%:*}.UTF-8" \
        xvfb-run -a -s "-screen 0 800x700x24" build/run/app/brindlecot-screenshot "docs/${shot#*:}.png" "${files[@]}"
    echo "docs/${shot#*:}.png written"
done
