#!/usr/bin/env bash
# The project's version (CMake's project VERSION) is the one everywhere a
# user sees one: `binario --version`, the top entry of CHANGELOG.md, the VS
# Code extension, the Debian package's Version field and changelog.gz, the
# manual page, the bundles' names, and the version resources of the zip's two
# Windows programs.
#
# usage: version_test.sh VERSION BINARIO CHANGELOG.md DIST_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"

version=$1 tool=$2 changelog=$3 dist=$4
mismatches=()
expect() {  # WHERE FOUND
  [ "$2" = "$version" ] || mismatches+=("$1 says \"$2\"")
}
no_mismatch() {
  [ ${#mismatches[@]} -eq 0 ] ||
    fail "the version is $version, but$(printf '\n  %s' "${mismatches[@]}")"
}

expect "binario --version" "$("$tool" --version | sed -n 's/^binario //p')"
top=$(grep -m 1 -E '^## \[[0-9]' "$changelog" || true)
[[ $top =~ ^'## ['([^]]+)'] - '[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] ||
  fail "CHANGELOG.md's top entry \"$top\" is not \"## [VERSION] - YYYY-MM-DD\""
expect "CHANGELOG.md's top entry" "${BASH_REMATCH[1]}"
expect "the VS Code extension's package.json" \
  "$(sed -n 's/^  "version": "\(.*\)",$/\1/p' "$(dirname "$changelog")/editors/vscode/package.json")"

# Without the bundles (skipped below), what was found so far must agree.
have_files "$dist/binario_${version}_amd64.deb" || no_mismatch
bundles "$dist" "$version"
skip_unless "dpkg-deb, unzip and x86_64-w64-mingw32-objcopy" \
  have dpkg-deb unzip x86_64-w64-mingw32-objcopy
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unpack_bundles "$work" "$version"

expect "the Debian package's Version" "$(dpkg-deb -f "$deb" Version)"
expect "the Debian package's changelog.gz" \
  "$(zcat "$work/root/usr/share/doc/binario/changelog.gz" | sed -n '1s/^binario (\([^)]*\)).*/\1/p')"
expect "the manual page" \
  "$(zcat "$work/root/usr/share/man/man1/binario.1.gz" | sed -n 's/^\.TH .*"binario \([^"]*\)".*/\1/p')"
expect "the zip's CHANGELOG.md" \
  "$(grep -m 1 -E '^## \[[0-9]' "$zip_top/CHANGELOG.md" | sed 's/^## \[\([^]]*\)\].*/\1/')"

# The version resource's strings, UTF-16 with a zero after each: a field's
# name and its value come out as two lines.
for program in binario.exe binario-stub.exe; do
  x86_64-w64-mingw32-objcopy -O binary --only-section=.rsrc "$zip_top/$program" "$work/rsrc"
  strings=$(iconv -c -f UTF-16LE -t UTF-8 "$work/rsrc" | tr '\0' '\n')
  for field in ProductVersion FileVersion; do
    found=$(awk -v field="$field" 'want && NF { print; exit } $0 ~ field "$" { want = 1 }' <<<"$strings")
    expect "$program's $field" "${found:-nothing}"
  done
done

no_mismatch
echo "version $version everywhere"
