#!/usr/bin/env bash
# Record names are bytes of the Windows (ANSI) code page and reach the file
# system unchanged: under wine's code page 1252, the bytes of "caffè" and
# "città" become the letters è and à, which wine stores in UTF-8 on the Linux
# side. A wide-character or UTF-8 reading of the bytes would give other names
# or none.
#
# usage: ansi_names_test.sh BINARIO WINDOWS_STUB SAMPLE_DIR ROUTE TRAIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

binario=$1 windows_stub=$2 sample_dir=$3 route=$4 train=$5
require "$binario" "$windows_stub"

collect_samples "$sample_dir"

sources="$WINE_TEST_DIR/sources" folder="$WINE_TEST_DIR/folder"
rm -rf "$sources" "$folder"
mkdir -p "$sources" "$folder"
printf 'orario del caff\xe8\r\n' >"$sources/$(printf 'caff\xe8.txt')"
printf 'citt\xe0 e stazioni\r\n' >"$sources/$(printf 'citt\xe0 \xab1\xbb.txt')"
"$binario" pack --route "$route" --train "$train" --stub "$windows_stub" \
  -o "$folder/$train.exe" "${samples[@]}" "$sources"/*

wine_env
# Wine takes its code page from the locale: C.UTF-8 gives the Western one, 1252.
export LC_ALL=C.UTF-8
start_screen
ensure_prefix
start_installer "$folder/$train.exe"
wait_installer 120
[ "$installer_status" -eq 0 ] ||
  fail "the installer ended with status $installer_status: $(cat "$WINE_TEST_DIR/installer.log")"

cmp "$sources/$(printf 'caff\xe8.txt')" "$folder/caffè.txt" || fail "caffè.txt is missing or wrong"
cmp "$sources/$(printf 'citt\xe0 \xab1\xbb.txt')" "$folder/città «1».txt" ||
  fail "città «1».txt is missing or wrong"
ls "$folder"
