#!/usr/bin/env bash
# Neovim, headless, opens a faulty scenario with `binario lsp` as its server:
# the diagnostics it reports are check's, at check's lines and columns, with
# the installer's code or the warning's -W name, and the server ends with
# status 0 after Neovim's shutdown.
#
# usage: neovim_client_test.sh TOOL SAMPLE_DIR ROUTE TRAIN [WINE]
# With WINE set, TOOL is the Windows tool and runs under wine.
set -euo pipefail

tool=$1 sample_dir=$2 route=$3 train=$4 wine=${5:-}
skip() {
  echo "$1"
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit 77
}
command -v nvim >/dev/null || skip "no nvim (install neovim)"
[ -f "$tool" ] || skip "no tool at $tool"

if [ -n "$wine" ]; then
  # The Windows tool under the wine tests' prefix and screen.
  source "$(dirname "$0")/../wine/wine_common.sh"
  require "$tool"
  work="$WINE_TEST_DIR/work"
  rm -rf "$work" && mkdir -p "$work"
  wine_env
  export LC_ALL=C.UTF-8
  start_screen
  ensure_prefix
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
scenario="$work/${route}_${train}-.txt"
cp "$sample_dir/${route}_linea.txt" "$work/"
# Two faults: a misspelled keyword (a warning) and a station off its 50 m
# cell (the installer's error 8).
sed -e '0,/^segnale/s//segnlae/' -e '0,/^stazione,    2500,/s//stazione,    2510,/' \
  "$sample_dir/${route}_${train}-.txt" >"$scenario"

server=$tool
if [ -n "$wine" ]; then
  # Neovim starts the server through a script that runs the Windows tool.
  server="$work/binario-under-wine"
  printf '#!/bin/sh\nexec wine "%s" "$@" 2>/dev/null\n' "$tool" >"$server"
  chmod +x "$server"
fi

BINARIO=$server TEXT=$scenario REPORT="$work/report" \
  timeout 120 nvim --headless -u NONE -i NONE -n \
  -c "luafile $(dirname "$0")/neovim_client.lua" </dev/null >/dev/null 2>&1 || true
[ -f "$work/report" ] || { echo "FAIL: Neovim wrote no report"; exit 1; }
echo "Neovim got:"
cat "$work/report"

status=0
grep -q '^62:1 -Wunknown-keyword unknown keyword .segnlae.: the installer passes over this line$' \
  "$work/report" || { echo "FAIL: no warning for 'segnlae' at 62:1"; status=1; }
grep -q '^27:14 8 station position 2510 m is not a multiple of 50$' "$work/report" || { echo "FAIL: no error 8 at 27:14"; status=1; }
grep -qx 'server exit status: 0' "$work/report" || { echo "FAIL: the server did not end with 0"; status=1; }
# Nothing but what check says: the same count.
run_tool=("$tool")
[ -n "$wine" ] && run_tool=(wine "$tool")
check_count=$(cd "$work" && "${run_tool[@]}" check . 2>&1 | grep -c ': \(error\|warning\): ' || true)
nvim_count=$(grep -vc '^server exit status' "$work/report")
[ "$check_count" = "$nvim_count" ] ||
  { echo "FAIL: check reports $check_count diagnostics, Neovim got $nvim_count"; status=1; }
exit $status
