#!/usr/bin/env bash
# Two different Windows installers started together in one folder over an
# earlier installation, under wine, a few rounds: the second waits for the
# first's lock, both end with status 0, the folder holds exactly one complete
# version, and the lock file is gone with the runs. The route is the longest
# a text allows, so that the two runs overlap.
#
# usage: concurrent_install_test.sh BINARIO WINDOWS_STUB
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

binario=$1 windows_stub=$2
require "$binario" "$windows_stub"

work="$WINE_TEST_DIR/concurrent"
rm -rf "$work"
mkdir -p "$work"
route=R train=T
pack_longest_route "$binario" "$windows_stub" "$work/old.exe" 1
pack_longest_route "$binario" "$windows_stub" "$work/new.exe" 2

# folder_of ROUND: a folder with both installers and an earlier installation.
folder_of() {
  local folder="$work/$1"
  mkdir -p "$folder"
  cp "$work/old.exe" "$work/new.exe" "$folder/"
  printf 'an earlier version\r\n' >"$folder/${route}_${train}.sim"
  printf 'an earlier note\r\n' >"$folder/${route}_${train}_note.txt"
  echo "$folder"
}

wine_env
start_screen
ensure_prefix

declare -A complete
for version in old new; do
  folder=$(folder_of "alone-$version")
  start_installer "$folder/$version.exe"
  wait_installer 120
  [ "$installer_status" -eq 0 ] || fail "$version.exe alone ended with $installer_status"
  complete[$version]=$(snapshot "$folder")
done
[ "${complete[old]}" != "${complete[new]}" ] || fail "the two versions install the same files"

for round in 1 2 3 4 5; do
  folder=$(folder_of "round-$round")
  (cd / && exec wine "$folder/old.exe") >"$work/old-$round.log" 2>&1 &
  old_pid=$!
  (cd / && exec wine "$folder/new.exe") >"$work/new-$round.log" 2>&1 &
  new_pid=$!
  wait "$old_pid" || fail "round $round: old.exe ended with $?"
  wait "$new_pid" || fail "round $round: new.exe ended with $?"
  got=$(snapshot "$folder")
  [ "$got" = "${complete[old]}" ] || [ "$got" = "${complete[new]}" ] ||
    fail "round $round: not one complete version:
$(diff <(echo "${complete[new]}") <(echo "$got"))"
done
echo "5 rounds of two installers at once: one complete version each time, no lock file left"
