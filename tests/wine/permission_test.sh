#!/usr/bin/env bash
# Asking for permission, under wine (which has no permission prompt: the
# elevated copy simply starts). Wine's process trace shows every process the
# installer starts.
# - A folder the player may write in: the sample installs and the installer
#   never starts itself again.
# - A folder that refuses the installer's files for want of permission (here
#   an immutable folder, which refuses even root and which wine reports as
#   access denied): the installer starts one copy of itself with
#   the administrator marker and steps aside; the copy is refused too, never
#   asks again and shows " Errore n. 1254"; once it is closed both end with
#   status 1, and the folder holds only what it held.
#
# usage: permission_test.sh BINARIO WINDOWS_STUB SAMPLE_DIR ROUTE TRAIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

binario=$1 windows_stub=$2 sample_dir=$3 route=$4 train=$5
require "$binario" "$windows_stub"

collect_samples "$sample_dir"

writable="$WINE_TEST_DIR/writable" refusing="$WINE_TEST_DIR/refusing"
rm -rf "$writable" "$refusing"
mkdir -p "$writable" "$refusing"
for dir in "$writable" "$refusing"; do
  "$binario" pack --route "$route" --train "$train" --stub "$windows_stub" \
    -o "$dir/$train.exe" "${samples[@]}"
done
if ! chattr +i "$refusing" 2>/dev/null; then
  echo "SKIPPED: this file system cannot make a folder immutable (chattr +i)"
  exit $SKIPPED
fi
trap 'chattr -i "$refusing" 2>/dev/null || true' EXIT

wine_env
start_screen
trap 'chattr -i "$refusing" 2>/dev/null || true; stop_screen' EXIT
ensure_prefix
export WINEDEBUG=+process
# Processes started with the installer's own file (wine starts its own
# services in the same log).
started_again() { grep "CreateProcessInternalW .*${train}\.exe" "$WINE_TEST_DIR/installer.log" || true; }
relaunches() { started_again | grep -c ' /amministratore' || true; }

start_installer "$writable/$train.exe"
wait_installer 120
[ "$installer_status" -eq 0 ] || fail "the installer ended with status $installer_status"
[ -f "$writable/${route}_${train}.dat" ] || fail "the writable folder got no grid file"
[ -z "$(started_again)" ] || fail "a writable folder started the installer again: $(started_again)"
echo "writable folder: installed, the installer never started again"

before=$(find "$refusing" | sort)
start_installer "$refusing/$train.exe"
box=
for _ in $(seq 600); do
  box=$(windows_named Error)
  [ -n "$box" ] && break
  kill -0 "$installer_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$box" ] || fail "no message box appeared: $(tail -n 20 "$WINE_TEST_DIR/installer.log")"
[ "$(relaunches)" -eq 1 ] && [ "$(started_again | wc -l)" -eq 1 ] ||
  fail "not one copy with the administrator marker: $(started_again)"
[ "$(xdotool getwindowpid "$box")" != "$installer_pid" ] ||
  fail "the first installer showed the box itself instead of its elevated copy"
for _ in $(seq 50); do
  waits=$(windows_named "Installazione scenario" | wc -l)
  [ "$waits" -eq 1 ] && break
  sleep 0.1
done
[ "$waits" -eq 1 ] || fail "$waits wait windows on the screen: the first installer did not step aside"
xdotool windowfocus --sync "$box"
xdotool key Return
wait_installer 30 box-closed
[ "$installer_status" -eq 1 ] || fail "the installer ended with status $installer_status, not the copy's 1"
[ "$(relaunches)" -eq 1 ] || fail "the elevated copy asked again"
[ "$(find "$refusing" | sort)" = "$before" ] || fail "the refusing folder changed: $(find "$refusing")"
echo "refusing folder: one elevated copy, which showed 1254; nothing written"
