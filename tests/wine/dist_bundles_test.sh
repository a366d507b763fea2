#!/usr/bin/env bash
# The release bundles of `make dist` hold what a user needs, and work from
# where they are unpacked: the Debian package unpacked into a scratch root and
# the Windows zip unpacked and run under wine each pack the sample without
# being told where the stub is, into the same installer, which then installs;
# the Linux tarball holds the tool, both stubs and the README.
#
# usage: dist_bundles_test.sh DIST_DIR VERSION ROUTE TRAIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

dist=$1 version=$2 route=$3 train=$4
deb="$dist/binario_${version}_amd64.deb"
zip="$dist/binario-$version-windows-x64.zip"
tarball="$dist/binario-$version-linux-x86_64.tar.gz"
if [ ! -f "$deb" ] || [ ! -f "$zip" ] || [ ! -f "$tarball" ]; then
  echo "no bundles of version $version in $dist (make dist builds them)"
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit "$SKIPPED"
fi
require
command -v dpkg >/dev/null && command -v unzip >/dev/null || fail "dpkg and unzip are needed"

work="$WINE_TEST_DIR/work"
rm -rf "$work"
mkdir -p "$work/root" "$work/zip" "$work/tar" "$work/linux" "$work/native" "$work/windows"

dpkg -x "$deb" "$work/root"
for file in usr/bin/binario usr/lib/binario/binario-stub usr/lib/binario/binario-stub.exe \
  usr/share/doc/binario/README.md; do
  [ -f "$work/root/$file" ] || fail "the Debian package lacks /$file"
done
tar -xzf "$tarball" -C "$work/tar"
top="$work/tar/binario-$version-linux-x86_64"
for file in bin/binario lib/binario/binario-stub lib/binario/binario-stub.exe \
  share/doc/binario/README.md; do
  [ -f "$top/$file" ] || fail "the Linux tarball lacks $file"
done
unzip -q "$zip" -d "$work/zip"
bundle="$work/zip/binario-$version-windows-x64"
for file in binario.exe binario-stub.exe README.md "examples/${route}_linea.txt"; do
  [ -f "$bundle/$file" ] || fail "the Windows zip lacks $file"
done

collect_samples "$bundle/examples"
# From the Debian package: the Windows stub by default, the native one on request.
"$work/root/usr/bin/binario" pack --route "$route" --train "$train" -o "$work/linux/$train.exe" \
  "${samples[@]}" || fail "the packaged tool did not pack"
"$work/root/usr/bin/binario" pack --route "$route" --train "$train" \
  --stub "$work/root/usr/lib/binario/binario-stub" -o "$work/native/$train" "${samples[@]}"
(cd / && "$work/native/$train") || fail "the packaged native stub's installer failed"
[ -f "$work/native/${route}_${train}.sim" ] || fail "the native installer left no .sim"

wine_env
start_screen
ensure_prefix
(cd "$bundle" && timeout 120 wine binario.exe pack --route "$route" --train "$train" \
  -o "$train.exe" examples/*) </dev/null || fail "the zip's binario.exe did not pack"
cmp "$work/linux/$train.exe" "$bundle/$train.exe" ||
  fail "the two bundles packed different installers"
mv "$bundle/$train.exe" "$work/windows/"
start_installer "$work/windows/$train.exe"
wait_installer 120
[ "$installer_status" -eq 0 ] ||
  fail "the installer ended with status $installer_status: $(cat "$WINE_TEST_DIR/installer.log")"
cmp "$work/native/${route}_${train}.sim" "$work/windows/${route}_${train}.sim" ||
  fail "the Windows installer compiled another .sim"
echo "bundles of $version:"
ls -l "$dist"
