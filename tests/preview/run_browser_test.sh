#!/usr/bin/env bash
# Runs one of the preview's browser tests, or skips it (status 77) on a
# machine without chromium or python3; with CI set a missing tool fails.
#
#   run_browser_test.sh SCRIPT.py TOOL EXAMPLES_DIR OUT_DIR
set -euo pipefail
skip() {
  echo "$1"
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit 77
}
command -v chromium >/dev/null || skip "no chromium (scripts/install-deps.sh test installs it)"
command -v python3 >/dev/null || skip "no python3 (scripts/install-deps.sh test installs it)"
exec python3 "$@"
