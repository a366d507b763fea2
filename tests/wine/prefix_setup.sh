#!/usr/bin/env bash
# Makes the wine prefix the other wine tests share (once per build tree).
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

require
wine_env
start_screen
ensure_prefix
echo "wine prefix ready: $WINE_TEST_PREFIX"
