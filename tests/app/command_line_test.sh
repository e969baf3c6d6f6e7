#!/bin/sh
# SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's own options, run for real with no display at all: a window
# opened by mistake would fail to connect and the checks below would notice.
set -u
program=$1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failures=0
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES QT_QPA_PLATFORM=xcb \
        "$program" "$@" >"$out" 2>"$err"
}
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

run a.mp3 --bogus
check "an unknown option exits 2" test $? -eq 2
check "an unknown option is named on standard error" grep -q -- '--bogus' "$err"
check "an unknown option prints the usage to standard error" grep -q -- '--help' "$err"
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
LANG=fr_FR.UTF-8 run --bogus
check "any other locale reads English errors" grep -q '^brindlecot: unknown option: --bogus' "$err"
check "any other locale reads the English usage" grep -q '^Usage: brindlecot' "$err"

exit "$failures"
