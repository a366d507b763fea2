#!/usr/bin/env bash
# The Windows installer killed under wine while it stages its files over an
# earlier installation, then started again: the second run leaves exactly the
# folder of an uninterrupted run, with no temporary file and no lock file
# (the system deletes it with the killed process's handle). The route is the
# longest a text allows, so that its 20 MB route plan gives the moment time.
# (The commit's few milliseconds are killed into on Linux, call by call:
# tests/crash/kill_test.sh.)
#
# usage: killed_install_test.sh BINARIO WINDOWS_STUB
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

binario=$1 windows_stub=$2
require "$binario" "$windows_stub"

work="$WINE_TEST_DIR/killed"
rm -rf "$work"
mkdir -p "$work"
route=R train=T
pack_longest_route "$binario" "$windows_stub" "$work/setup.exe" 1

# earlier FOLDER: the installer in a folder an earlier version left.
earlier() {
  mkdir -p "$1"
  cp "$work/setup.exe" "$1/"
  printf 'an earlier version\r\n' >"$1/${route}_${train}.sim"
  printf 'an earlier note\r\n' >"$1/${route}_${train}_note.txt"
}

wine_env
start_screen
ensure_prefix

earlier "$work/reference"
start_installer "$work/reference/setup.exe"
wait_installer 120
[ "$installer_status" -eq 0 ] || fail "an uninterrupted run ended with $installer_status"
expected=$(snapshot "$work/reference")

# kill_when FOLDER PATTERN: kills the prefix's processes once a file of the
# folder matches PATTERN; false if the run ended first.
kill_when() {
  while kill -0 "$installer_pid" 2>/dev/null; do
    if compgen -G "$1/$2" >/dev/null; then
      wineserver -k 2>/dev/null || true
      wait "$installer_pid" 2>/dev/null || true
      return 0
    fi
    sleep 0.005
  done
  return 1
}

for moment in 'binario-tmp-[0-9]*'; do
  folder="$work/killed-at-${moment//[^a-z]/}"
  earlier "$folder"
  start_installer "$folder/setup.exe"
  kill_when "$folder" "$moment" || fail "the run ended before $moment appeared"
  echo "killed once $moment appeared; left: $(ls "$folder" | grep '^binario-tmp-' | tr '\n' ' ')"
  start_installer "$folder/setup.exe"
  wait_installer 120
  [ "$installer_status" -eq 0 ] || fail "the run after the kill ended with $installer_status"
  [ "$(snapshot "$folder")" = "$expected" ] || fail "after the kill the folder differs:
$(diff <(echo "$expected") <(snapshot "$folder"))"
done
echo "killed while staging; the following run completed the install"
