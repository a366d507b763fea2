#!/usr/bin/env bash
# A client of our own talks to the `binario lsp` process over its standard
# input and output, with what editors and broken pipes may send: each message
# is answered as JSON-RPC says, and the process ends with 0 after `shutdown`
# and `exit`, with 1 otherwise, never by a signal.
#
# usage: lsp_protocol_test.sh TOOL
set -euo pipefail
export LC_ALL=C  # lengths in bytes

tool=$1
[ -f "$tool" ] || { echo "no tool at $tool"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

frame() { printf 'Content-Length: %d\r\n\r\n%s' "${#1}" "$1"; }
status=0
fail() {
  echo "FAIL: $*"
  status=1
}
# Runs the server on the input file $1; its answers in $work/out.
serve() {
  server_status=0
  timeout 60 "$tool" lsp <"$1" >"$work/out" 2>"$work/err" || server_status=$?
  if [ "$server_status" -ge 124 ]; then fail "$2: the server ended with status $server_status"; fi
}

{
  frame '{"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}}'
  frame '{"jsonrpc":"2.0","method":"initialized","params":{}}'
  frame '{"jsonrpc":"2.0","id":2,"method":'
  frame '{"jsonrpc":"2.0","id":3,"method":"workspace/noSuchThing","params":{}}'
  frame '{"jsonrpc":"2.0","method":"$/noSuchNotification","params":{}}'
  frame '{"jsonrpc":"2.0","id":"four","method":"textDocument/hover","params":{"textDocument":{"uri":"file:///nowhere/x_linea.txt"},"position":{"line":0,"character":0}}}'
  frame '{"jsonrpc":"2.0","id":5,"method":"shutdown"}'
  frame '{"jsonrpc":"2.0","id":6,"method":"textDocument/documentSymbol","params":{}}'
  frame '{"jsonrpc":"2.0","method":"exit"}'
} >"$work/session"
serve "$work/session" session
[ "$server_status" -eq 0 ] || fail "exit after shutdown gave status $server_status"
expect() {
  grep -qF "$1" "$work/out" || fail "no answer $1"
}
expect '"id":1,"jsonrpc":"2.0","result":{"capabilities"'
expect '"error":{"code":-32700'
expect '"error":{"code":-32601,"message":"unknown method '"'"'workspace/noSuchThing'"'"'"},"id":3'
expect '"id":"four","jsonrpc":"2.0","result":null'
expect '"id":5,"jsonrpc":"2.0","result":null'
expect '"error":{"code":-32600,"message":"the server has shut down'
[ "$(grep -o 'Content-Length' "$work/out" | wc -l)" -eq 6 ] ||
  fail "expected 6 answers: $(cat "$work/out")"

# Exit without shutdown.
{
  frame '{"jsonrpc":"2.0","id":1,"method":"initialize","params":{}}'
  frame '{"jsonrpc":"2.0","method":"exit"}'
} >"$work/no-shutdown"
serve "$work/no-shutdown" no-shutdown
[ "$server_status" -eq 1 ] || fail "exit without shutdown gave status $server_status"

# A body cut short by the end of the input, and bytes that are no frame.
{
  frame '{"jsonrpc":"2.0","id":1,"method":"initialize","params":{}}'
  printf 'Content-Length: 500\r\n\r\n{"jsonrpc":'
} >"$work/cut"
serve "$work/cut" cut
[ "$server_status" -eq 1 ] || fail "a cut body gave status $server_status"
head -c 200000 /dev/urandom >"$work/noise"
serve "$work/noise" noise
[ "$server_status" -eq 1 ] || fail "noise gave status $server_status"

[ "$status" -eq 0 ] && echo "all answers as JSON-RPC says"
exit $status
