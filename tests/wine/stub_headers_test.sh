#!/usr/bin/env bash
# The Windows stub's headers, read with objdump: address randomisation with
# high-entropy addresses and no code from data pages stay on; the manifest
# asks for no elevation up front, declares the DPI awareness the wait
# window's sizes assume and Windows 7 to 11; the version resource carries
# the product, a description and the project's version.
#
# usage: stub_headers_test.sh WINDOWS_STUB VERSION
set -euo pipefail

stub=$1 version=$2
objdump=x86_64-w64-mingw32-objdump
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
if [ ! -f "$stub" ] || ! command -v "$objdump" >/dev/null; then
  echo "no Windows stub at $stub or no $objdump (build the win preset; scripts/install-deps.sh)"
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit 77
fi

headers=$("$objdump" -p "$stub")
flags=$(awk '/^DllCharacteristics/ { print $2 }' <<<"$headers")
for flag in 0x20:HIGH_ENTROPY_VA 0x40:DYNAMIC_BASE 0x100:NX_COMPAT; do
  (( 0x$flags & ${flag%%:*} )) || fail "DllCharacteristics $flags lacks ${flag#*:}"
done
# Randomised addresses need the relocations.
grep -Eq '^Entry 5 [0-9a-f]+ [0-9a-f]*[1-9a-f][0-9a-f]* Base Relocation' <<<"$headers" ||
  fail "no base relocations"
grep -q 'Entry: ID: 0x000018' <<<"$headers" || fail "no manifest resource (type 24)"
grep -q 'Entry: ID: 0x000010' <<<"$headers" || fail "no version resource (type 16)"

# The resource section's bytes as text: the ASCII column of objdump's dump.
# The manifest is plain text; version strings are UTF-16, a letter then a dot.
resources=$("$objdump" -s -j .rsrc "$stub" | awk '/^ [0-9a-f]+ / { print substr($0, 49, 16) }' | tr -d '\n')
wide() { sed 's/./&./g' <<<"$1"; }
for text in 'level="asInvoker"' \
  '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>' \
  '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' \
  '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
  grep -qF -- "$text" <<<"$resources" || fail "the manifest lacks $text"
done
grep -qF 'requireAdministrator' <<<"$resources" && fail "the manifest asks for elevation up front"
for text in "ProductName" "binario" "FileDescription" "Installazione scenario" "FileVersion" \
  "$version"; do
  grep -qF -- "$(wide "$text")" <<<"$resources" || fail "the version resource lacks \"$text\""
done
# The wait window no longer declares itself DPI aware in code: the manifest does.
"$objdump" -p "$stub" | grep -q SetProcessDPIAware && fail "the stub still calls SetProcessDPIAware"
echo "DllCharacteristics $flags; manifest and version $version present"
