#!/usr/bin/env bash
# Two different installers started together in one folder over an earlier
# installation, 30 times: both end with status 0, and the folder always holds
# exactly one complete version, never a mix of the two.
source "$(dirname "$0")/crash_common.sh"

pack_sample "$work/old"
pack_sample "$work/new" "Nota della nuova versione."
for version in old new; do
  earlier_install "$work/ref-$version" "$work/old"
  cp "$work/new" "$work/ref-$version/setup-new"
  cp "$work/old" "$work/ref-$version/setup-old"
  rm "$work/ref-$version/setup"
  "$work/ref-$version/setup-$version" 2>/dev/null || fail "$version alone failed"
done
old=$(snapshot "$work/ref-old")
new=$(snapshot "$work/ref-new")
[ "$old" != "$new" ] || fail "the two versions install the same files"

for round in $(seq 1 30); do
  folder="$work/round-$round"
  earlier_install "$folder" "$work/old"
  rm "$folder/setup"
  cp "$work/old" "$folder/setup-old"
  cp "$work/new" "$folder/setup-new"
  "$folder/setup-old" 2>/dev/null & a=$!
  "$folder/setup-new" 2>/dev/null & b=$!
  wait $a || fail "round $round: the old installer failed"
  wait $b || fail "round $round: the new installer failed"
  got=$(snapshot "$folder")
  [ "$got" = "$old" ] || [ "$got" = "$new" ] || fail "round $round: a mix of the two versions:
$(diff <(echo "$new") <(echo "$got"))"
  rm -rf "$folder"
done
echo "30 rounds: each left one complete version"
