#!/bin/sh
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's own options, run for real with no display and no bus at all: a
# window opened by mistake would fail to connect and the checks below would notice.
set -u
program=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failures=0
# The program itself, in place of the shell that calls this.
program_alone() {
    exec env -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u XDG_RUNTIME_DIR \
        DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent \
        QT_QPA_PLATFORM=xcb "$program" "$@" >"$out" 2>"$err"
}
run() { (program_alone "$@"); }
check() { # description, command...
    what=$1
    shift
    if ! "$@"; then
        echo "FAILED: $what" >&2
        failures=$((failures + 1))
    fi
}

run --help
check "--help exits 0" test $? -eq 0
check "--help prints the usage to standard output" grep -q -- '--version' "$out"
check "--help writes no error" test ! -s "$err"

run --version
check "--version exits 0" test $? -eq 0
check "--version prints the version" grep -qx 'brindlecot [0-9.]*' "$out"
run -V
check "-V prints the version" grep -qx 'brindlecot [0-9.]*' "$out"

run a.mp3 --bogus
check "an unknown option exits 2" test $? -eq 2
check "an unknown option is named on standard error" grep -q -- '--bogus' "$err"
check "an unknown option is one line, and the way to the usage" sh -c \
    'test "$(wc -l <"$0")" -eq 2 && tail -n 1 "$0" | grep -q -- "brindlecot --help"' "$err"
check "an unknown option prints nothing to standard output" test ! -s "$out"

# Names with nothing there are told on standard error, one line each, as given;
# the rest go on to the window, which here can't open and ends the run.
folder=$(mktemp -d)
trap 'rm -f "$out" "$err"; rm -rf "$folder"' EXIT
: >"$folder/kept.mp3"
(
    ulimit -c 0
    case $program in /*) ;; *) program=$PWD/$program ;; esac
    cd "$folder" && run gone.mp3 kept.mp3 "$(printf 'caf\351')" ./
)
printf 'brindlecot: gone.mp3: %s\nbrindlecot: caf\351: %s\n' \
    'ファイルもフォルダもありません' 'ファイルもフォルダもありません' >"$out"
check "each missing name is told on its own line, and only those" \
    sh -c 'head -n 2 "$1" | cmp -s - "$2" && ! grep -q kept "$1"' - "$err" "$out"
# The user's language: Japanese as written for Japanese and the C locale, else English.
LANG=ja_JP.UTF-8 run --help
check "a Japanese locale reads the Japanese usage" grep -q '^使い方: brindlecot' "$out"
LANG=C.UTF-8 run --help
check "the C locale reads the Japanese usage" grep -q '^使い方: brindlecot' "$out"
LANG=POSIX run --bogus
check "the POSIX locale reads the Japanese error" grep -q '不明なオプションです: --bogus' "$err"
LANG=en_US.UTF-8 run --help
check "an English locale reads the English usage" grep -q '^Usage: brindlecot' "$out"
LANG=ru_RU.UTF-8 run --bogus
check "any other locale reads English errors" grep -q '^brindlecot: unknown option: --bogus' "$err"
check "any other locale reads the English hint" grep -q "^Try 'brindlecot --help'" "$err"

# --convert: a folder converted as the window would, its WAV files those of a
# direct decode, in the order a drop lists them. Inputs: noise through lame.
lame=$(command -v lame)
mkdir -p "$folder/lib/sub" "$folder/out" "$folder/long"
encode() { # seconds, mp3, and the direct decode's WAV
    head -c $(($1 * 176400)) /dev/urandom | "$lame" -r --quiet - "$2" 2>/dev/null
    "$lame" --quiet --decode "$2" "$3"
}
encode 3 "$folder/lib/a.mp3" "$folder/a.wav" && cp "$folder/lib/a.mp3" "$folder/lib/sub/b.mp3"
echo "no audio" >"$folder/bad.mp3"
run --convert --to "$folder/out" "$folder/lib"
check "--convert converts a folder and its subfolders" sh -c 'test $0 -eq 0 &&
    cmp -s "$1/a.wav" "$1/out/a.wav" && cmp -s "$1/a.wav" "$1/out/b.wav"' $? "$folder"
check "an item ended a line, in the order of a drop, then the summary" sh -c \
    'grep -q "^\[1/2\] a.mp3：変換しました\$" "$0" && grep -q "^\[2/2\] b.mp3" "$0" &&
    tail -n 1 "$0" | grep -qx "2件を変換しました"' "$err"
echo old >"$folder/out/a.wav" && rm "$folder/out/b.wav"
run --convert --to "$folder/out" "$folder/lib"
check "without --replace a WAV there is kept, its item kept back, the next one told" sh -c \
    'test $0 -eq 0 && grep -qx old "$1/out/a.wav" && grep -q "同じ名前のファイルがあるため" "$2" &&
    grep -q "^\[1/2\] a.mp3：" "$2" && grep -q "^\[2/2\] b.mp3：変換しました\$" "$2"' $? "$folder" "$err"
run --convert --replace --to "$folder/out" "$folder/lib/a.mp3"
check "--replace replaces it" cmp -s "$folder/a.wav" "$folder/out/a.wav"

while read -r status arguments; do
    run --convert $arguments
    check "--convert $arguments exits $status" test $? -eq "$status"
done <<EOF
0 --quiet --jobs 0 --to $folder/out $folder/lib
0 -q -j1 -t $folder/out $folder/lib
1 --to $folder/out $folder/bad.mp3
2 --to $folder/none $folder/lib
2 $folder/none.mp3
2 --jobs x $folder/lib
2 --bogus $folder/lib
EOF
run --convert --quiet --to "$folder/out" "$folder/bad.mp3"
check "--quiet tells the failed file alone, with its reason" sh -c \
    'head -n 1 "$0" | grep -q "^bad.mp3：" && ! grep -q 件を変換 "$0"' "$err"

# A library keeps its shape: two albums' 01.mp3 go to folders of their own;
# --flat keeps the later one back, names it also with -q, and exits 1.
mkdir -p "$folder/albums/A" "$folder/albums/B" "$folder/shaped" "$folder/flat" "$folder/empty"
cp "$folder/lib/a.mp3" "$folder/albums/A/01.mp3" && cp "$folder/lib/a.mp3" "$folder/albums/B/01.mp3"
run --convert -t "$folder/shaped" "$folder/albums"
check "two albums keep apart" sh -c 'test $0 -eq 0 && cmp -s "$1/a.wav" "$1/shaped/A/01.wav" &&
    cmp -s "$1/a.wav" "$1/shaped/B/01.wav"' $? "$folder"
run --convert --flat -q -t"$folder/flat" "$folder/albums"
check "--flat keeps the later one back, says so with -q, exits 1" sh -c 'test $0 -eq 1 &&
    test "$(ls "$1/flat")" = 01.wav && test "$(cat "$2")" = "B/01.mp3：$3"' $? "$folder" "$err" \
    '同じ名前の出力ファイルがこの変換で作成済みです'
run --convert "$folder/empty"
check "nothing to convert is said, exit 1" sh -c \
    'test $0 -eq 1 && grep -q "MPEGオーディオファイルがありません" "$1"' $? "$err"
# Control characters in names, printed anywhere, are escaped.
badname="$folder/bad
name.mp3"
cp "$folder/bad.mp3" "$badname"
run --convert -q "$badname" "$(printf 'gone\033]2;x\a.mp3')"
check "a missing name's controls are escaped" sh -c 'grep -qF "gone\\x1b]2;x\\x07.mp3: " "$0" &&
    ! grep -q "$(printf "\033")" "$0"' "$err"
run --convert -q "$badname"
check "a newline in a name does not fake a line" sh -c \
    'grep -qF "bad\\nname.mp3：" "$0" && ! grep -q "^name.mp3" "$0"' "$err"
# --no-tags gives lame's WAV byte for byte; without it the tags follow the audio.
"$lame" --quiet --tt Song "$folder/a.wav" "$folder/tagged.mp3"
"$lame" --quiet --decode "$folder/tagged.mp3" "$folder/direct.wav"
run --convert --no-tags -t "$folder/flat" "$folder/tagged.mp3" && (run --convert "$folder/tagged.mp3")
check "--no-tags leaves the tags behind" sh -c 'cmp -s "$0/direct.wav" "$0/flat/tagged.wav" &&
    ! cmp -s "$0/direct.wav" "$0/tagged.wav" && grep -aq INAM "$0/tagged.wav"' "$folder"
# Completion after "--to=": bash splits it into "--to", "=" and the folder.
check "completion after --to= offers folders" bash -c '. "$0" && COMP_WORDS=(brindlecot --to = "$1/sh")
    COMP_CWORD=3 && _brindlecot && test "${COMPREPLY[*]}" = "$1/shaped"' \
    "$(dirname "$0")/../../resources/brindlecot.bash-completion" "$folder"

# A signal while a decoder runs: the decoders stopped, nothing but whole WAV
# files left, and 128 + the signal.
encode 10 "$folder/long.mp3" "$folder/long.wav"
for i in $(seq 1 20); do cp "$folder/long.mp3" "$folder/long/t$i.mp3"; done
for signal in INT:130 TERM:143 HUP:129; do
    rm -rf "$folder/out" && mkdir "$folder/out"
    : >"$err" # the line looked for below must be this run's
    program_alone --convert --to "$folder/out" "$folder/long" &
    pid=$!
    until grep -q '^\[1/20\]' "$err" || ! kill -0 $pid 2>/dev/null; do sleep 0.01; done
    kill -s "${signal%:*}" $pid
    wait $pid
    check "SIG${signal%:*} ends it with ${signal#*:}, its decoders and their files gone" sh -c \
        'test $0 -eq "$1" && ! pgrep -f "$2/long/" >/dev/null && ! ls -A "$2/out" | grep -q "^\." &&
        test "$(ls "$2/out" | wc -l)" -lt 20 &&
        for wav in "$2"/out/*.wav; do cmp -s "$2/long.wav" "$wav" || exit 1; done' \
        $? "${signal#*:}" "$folder"
done

# A source gone before its turn (the last, t9.mp3, in the order of a drop)
# fails alone with its reason; the batch goes on and exits 1.
rm -rf "$folder/out" && mkdir "$folder/out" && : >"$err"
program_alone --convert --to "$folder/out" "$folder/long" &
pid=$!
until grep -q '^\[1/20\]' "$err" || ! kill -0 $pid 2>/dev/null; do sleep 0.01; done
mv "$folder/long/t9.mp3" "$folder/t9.mp3"
wait $pid
check "a source gone before its turn fails alone" sh -c 'test $0 -eq 1 &&
    test "$(ls "$1/out" | wc -l)" -eq 19 && grep -q "^\[20/20\] t9.mp3：ファイルを開けません" "$2" &&
    grep -q "^t9.mp3：ファイルを開けません" "$2"' $? "$folder" "$err"
mv "$folder/t9.mp3" "$folder/long/t9.mp3"

# On a terminal: one line on standard error, redrawn, and no line per item.
rm -rf "$folder/out" && mkdir "$folder/out"
script -qec "$program --convert --to $folder/out $folder/long" /dev/null </dev/null >"$out"
check "a terminal gets one redrawn progress line" sh -c 'grep -aqE \
    "$1\[[0-9]+/20\] t[0-9]+\.mp3 [0-9]+% \(全体 [0-9]+%、残り [-0-9:]+\)$2\[K" "$0" &&
    ! grep -aq "t1.mp3：" "$0" && grep -aq "20件を変換しました" "$0"' \
    "$out" "$(printf '\r')" "$(printf '\033')"

exit "$failures"
