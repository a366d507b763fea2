#!/usr/bin/env bash
# Each bundle states the license: the Debian package in a machine-readable
# copyright file whose Expat text is LICENSE's, the tarball with LICENSE
# itself and the same copyright file, the zip with LICENSE.txt and the
# notices of the other projects in its programs. Those notices and the
# copyright file name the versions and copyright years of CLI11 and
# nlohmann-json found in the headers that the programs are compiled with.
# The package's Depends states the glibc version its programs need.
#
# usage: licenses_test.sh VERSION LICENSE DIST_DIR CLI11_VERSION_HPP JSON_HPP
set -euo pipefail
source "$(dirname "$0")/common.sh"

version=$1 license=$2 dist=$3 cli11_header=$4 json_header=$5
bundles "$dist" "$version"
skip_unless "dpkg-deb, unzip and readelf" have dpkg-deb unzip readelf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unpack_bundles "$work" "$version"

copyright="$work/root/usr/share/doc/binario/copyright"
notices="$zip_top/THIRD-PARTY-NOTICES.txt"
for file in "$copyright" "$tar_top/share/doc/binario/LICENSE" "$zip_top/LICENSE.txt" "$notices"; do
  [ -f "$file" ] || fail "no ${file#"$work"/}"
done
cmp -s "$license" "$tar_top/share/doc/binario/LICENSE" || fail "the tarball's LICENSE is not LICENSE"
cmp -s "$license" "$zip_top/LICENSE.txt" || fail "the zip's LICENSE.txt is not LICENSE"
cmp -s "$copyright" "$tar_top/share/doc/binario/copyright" ||
  fail "the tarball's copyright file is not the Debian package's"

# The copyright file: the machine-readable format, our copyright, and the
# license paragraph Expat holding LICENSE's permission text, one blank-prefixed
# line each, "." for an empty one.
head -n 1 "$copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file does not declare the machine-readable format"
holder=$(sed -n 's/^Copyright (c) //p' "$license")
grep -qE "^(Copyright: )?$holder\$" <<<"$(sed -n '/^Files: \*$/,/^$/p' "$copyright")" ||
  fail "the copyright file's Files: * paragraph does not name \"$holder\""
expat=$(awk 'blank && /^License: Expat$/ { on = 1; next } on && !/^ / { exit } on { print } { blank = ($0 == "") }' "$copyright")
expected=$(sed -n '/^Permission/,$p' "$license" | sed -e 's/^$/./' -e 's/^/ /')
[ "$expat" = "$expected" ] || fail "the copyright file's Expat text is not LICENSE's:
$(diff <(echo "$expected") <(echo "$expat") || true)"

# The header-only libraries compiled into both tools, as their headers say.
cli11_version=$(sed -n 's/^#define CLI11_VERSION "\([0-9]*\.[0-9]*\).*/\1/p' "$cli11_header")
cli11_years=$(sed -n '1s/.*Copyright (c) \([0-9-]*\),.*/\1/p' "$cli11_header")
json_version=$(grep -m 1 -o 'version [0-9]*\.[0-9]*' "$json_header" | cut -d ' ' -f 2)
json_years=$(grep -m 1 -o 'SPDX-FileCopyrightText: [0-9-]*' "$json_header" | cut -d ' ' -f 2)
for found in "$cli11_version" "$cli11_years" "$json_version" "$json_years"; do
  [ -n "$found" ] || fail "cannot read the version and years from $cli11_header and $json_header"
done
for text in "CLI11 $cli11_version" "$cli11_years University of Cincinnati" \
  "nlohmann-json $json_version" "$json_years Niels Lohmann"; do
  grep -qF "$text" "$copyright" || fail "the copyright file does not say \"$text\""
done
for text in "CLI11 $cli11_version" "Copyright (c) $cli11_years University of Cincinnati" \
  "nlohmann-json $json_version" "Copyright (c) $json_years Niels Lohmann"; do
  grep -qF "$text" "$notices" || fail "THIRD-PARTY-NOTICES.txt does not say \"$text\""
done

# Depends: libc6 at least at the newest GLIBC_x.y any program of the package
# refers to, and 2.36 for GLIBC_ABI_DT_RELR (packed relative relocations).
depends=$(dpkg-deb -f "$deb" Depends)
stated=$(sed -n 's/.*\blibc6 (>= \([0-9.]*\)).*/\1/p' <<<"$depends")
[ -n "$stated" ] || fail "Depends states no libc6 version: $depends"
needed=2.2.5
while IFS= read -r -d '' program; do
  readelf -h "$program" >/dev/null 2>&1 || continue
  for name in $(readelf -V "$program" | grep -o 'Name: GLIBC_[A-Z0-9_.]*' | cut -d ' ' -f 2); do
    case $name in
      GLIBC_ABI_DT_RELR) want=2.36 ;;
      GLIBC_[0-9]*) want=${name#GLIBC_} ;;
      *) continue ;;
    esac
    if dpkg --compare-versions "$want" gt "$needed"; then needed=$want; fi
  done
done < <(find "$work/root" -type f -print0)
dpkg --compare-versions "$stated" ge "$needed" ||
  fail "Depends states libc6 (>= $stated), the programs need glibc $needed: $depends"
echo "license in each bundle; Depends: $depends (glibc $needed needed)"
