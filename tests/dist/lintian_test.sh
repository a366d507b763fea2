#!/usr/bin/env bash
# lintian finds no error and no warning in the Debian package. Its whole
# verdict, informational tags included, shows in the test output.
#
# usage: lintian_test.sh PACKAGE.deb
set -euo pipefail
source "$(dirname "$0")/common.sh"

deb=$1
skip_unless "lintian" have lintian
skip_unless "$deb (make dist builds it)" have_files "$deb"

# Exit status 1: a tag at the levels of --fail-on; 2: lintian itself failed.
status=0
verdict=$(lintian --fail-on error,warning --display-info --pedantic "$deb" 2>&1) || status=$?
echo "$verdict"
tags=$(grep -E '^[EW]: ' <<<"$verdict" || true)
[ -z "$tags" ] || fail "lintian reports errors or warnings:"$'\n'"$tags"
[ "$status" -eq 0 ] || fail "lintian ended with status $status"
echo "lintian: no error, no warning"
