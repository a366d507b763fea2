#!/usr/bin/env bash
# The real installer killed (SIGKILL) at each of its file system calls while
# it installs over an earlier version, then started again: every time the
# second run completes, and the folder holds exactly a complete installation
# and no temporary file.
source "$(dirname "$0")/crash_common.sh"
command -v strace >/dev/null || { echo "strace not found: skipped"; exit 0; }

pack_sample "$work/setup"
earlier_install "$work/reference" "$work/setup"
"$work/reference/setup" 2>/dev/null || fail "a run without a kill failed"
expected=$(snapshot "$work/reference")

calls=openat,write,fsync,close,rename,renameat2,link,unlink,flock,getdents64
earlier_install "$work/count" "$work/setup"
strace -f -qq -o "$work/calls" -e trace="$calls" "$work/count/setup" 2>/dev/null
runs=0
for call in ${calls//,/ }; do
  total=$(grep -c "^[0-9]* *$call(" "$work/calls" || true)
  for ((n = 1; n <= total; n++)); do
    folder="$work/run-$call-$n"
    earlier_install "$folder" "$work/setup"
    strace -f -qq -o /dev/null -e trace="$call" -e inject="$call:signal=SIGKILL:when=$n" \
      "$folder/setup" 2>/dev/null && fail "$call #$n: the run was not killed"
    "$folder/setup" 2>"$work/err" || fail "$call #$n: the run after the kill failed: $(cat "$work/err")"
    [ "$(snapshot "$folder")" = "$expected" ] ||
      fail "$call #$n: the folder differs from a complete installation:
$(diff <(echo "$expected") <(snapshot "$folder"))"
    rm -rf "$folder"
    runs=$((runs + 1))
  done
done
[ "$runs" -gt 40 ] || fail "only $runs file system calls were found to kill the installer at"
echo "killed at each of $runs file system calls; each following run completed the install"
