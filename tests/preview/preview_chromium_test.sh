#!/usr/bin/env bash
# The sample's preview page in headless Chromium: the page renders (the
# screenshot is not blank) and its DOM names every station of the scenario.
#
#   preview_chromium_test.sh TOOL EXAMPLES_DIR OUT_DIR
# The page, the screenshot and the DOM stay in OUT_DIR (under the build folder).
set -euo pipefail

tool=$1 examples=$2 out=$3
route="BOLOGNA CENTRALE_VENEZIA SANTA LUCIA"
scenario="$examples/${route}_IR2230-.txt"

skip() {
  echo "$1"
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit 77
}
command -v chromium >/dev/null || skip "no chromium (scripts/install-deps.sh test installs it)"
command -v convert >/dev/null || skip "no ImageMagick convert"

mkdir -p "$out"
rm -f "$out/sample_preview.html" "$out/sample_preview.png" "$out/sample_preview_dom.html"
"$tool" preview "$examples/${route}_linea.txt" "$scenario" -o "$out/sample_preview.html" \
  --svg "$out/svg"
for f in "$out/sample_preview.html" "$out/svg/ground_plan.svg" "$out/svg/profile.svg"; do
  [ -s "$f" ] || { echo "FAIL: $f not written"; exit 1; }
done

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
browse() {
  timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --user-data-dir="$profile" --no-first-run "$@" "file://$out/sample_preview.html" 2>/dev/null
}
browse --window-size=1400,1700 --screenshot="$out/sample_preview.png" >/dev/null
browse --dump-dom >"$out/sample_preview_dom.html"

# Not blank: a drawn page has many colours and a spread of brightness.
colours=$(convert "$out/sample_preview.png" -format '%k' info:)
spread=$(convert "$out/sample_preview.png" -colorspace Gray -format '%[fx:int(1000*standard_deviation)]' info:)
echo "screenshot $out/sample_preview.png: $colours colours, grey spread $spread/1000"
[ "$colours" -gt 200 ] || { echo "FAIL: the screenshot is nearly one colour"; exit 1; }
[ "$spread" -gt 40 ] || { echo "FAIL: the screenshot is nearly blank"; exit 1; }

# Every station name of the scenario text (8-bit, shown in UTF-8) is in the DOM.
missing=0 count=0
while IFS= read -r name; do
  count=$((count + 1))
  grep -qF -- "$name" "$out/sample_preview_dom.html" || { echo "FAIL: \"$name\" not in the page"; missing=1; }
done < <(tr -d '\r' <"$scenario" | iconv -f latin1 -t utf-8 |
  awk -F, 'tolower($1) ~ /^[ \t]*stazione[ \t]*$/ { n = $18; gsub(/^[ \t]+|[ \t]+$/, "", n); print n }')
echo "$count station names checked"
[ "$count" -eq 34 ] || { echo "FAIL: expected the sample's 34 stations, read $count"; exit 1; }
exit $missing
