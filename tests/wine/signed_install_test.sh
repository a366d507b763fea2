#!/usr/bin/env bash
# An author signs the sample installer with a code-signing certificate (a
# throwaway one made here): under wine the signed installer leaves a folder
# byte for byte the same as the unsigned one, and the author tool lists,
# checks and extracts it the same. The same signed installer cut short by
# one byte is damaged: the tool says 1252 and extracts nothing.
#
# usage: signed_install_test.sh BINARIO WINDOWS_STUB SAMPLE_DIR ROUTE TRAIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

binario=$1 windows_stub=$2 sample_dir=$3 route=$4 train=$5
require "$binario" "$windows_stub"
for tool in openssl osslsigncode; do
  command -v "$tool" >/dev/null || {
    [ -z "${CI:-}" ] || fail "missing on CI: $tool"
    echo "SKIPPED: missing $tool (scripts/install-deps.sh installs it)" >&2
    exit "$SKIPPED"
  }
done

collect_samples "$sample_dir"

keys="$WINE_TEST_DIR/keys" unsigned_dir="$WINE_TEST_DIR/unsigned" signed_dir="$WINE_TEST_DIR/signed"
rm -rf "$keys" "$unsigned_dir" "$signed_dir"
mkdir -p "$keys" "$unsigned_dir" "$signed_dir"
"$binario" pack --route "$route" --train "$train" --stub "$windows_stub" \
  -o "$unsigned_dir/$train.exe" "${samples[@]}"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Autore di prova" \
  -keyout "$keys/key.pem" -out "$keys/cert.pem" 2>"$keys/openssl.log" ||
  fail "openssl made no certificate: $(cat "$keys/openssl.log")"
osslsigncode sign -certs "$keys/cert.pem" -key "$keys/key.pem" -n "$route $train" \
  -in "$unsigned_dir/$train.exe" -out "$signed_dir/$train.exe" >"$keys/sign.log" 2>&1 ||
  fail "osslsigncode failed: $(cat "$keys/sign.log")"
osslsigncode verify -CAfile "$keys/cert.pem" "$signed_dir/$train.exe" >"$keys/verify.log" 2>&1 ||
  fail "the signature does not verify: $(tail -n 5 "$keys/verify.log")"
echo "unsigned $(stat -c %s "$unsigned_dir/$train.exe") bytes," \
     "signed $(stat -c %s "$signed_dir/$train.exe") bytes"

# The author tool sees the same five files, the seal intact, and the signature beside them.
listing=$("$binario" list "$signed_dir/$train.exe") || fail "list refused the signed installer: $listing"
echo "$listing"
diff <("$binario" list "$unsigned_dir/$train.exe") <(grep -v '^signature: ' <<<"$listing") ||
  fail "list shows the signed installer's package differently"
grep -q '^signature: certificate table of [0-9]* bytes' <<<"$listing" || fail "list shows no signature"
grep -q '^seal: intact' <<<"$listing" || fail "signing broke the seal"
"$binario" check "$signed_dir/$train.exe" >"$keys/check.log" || fail "check refused it: $(cat "$keys/check.log")"
mkdir "$keys/extracted"
"$binario" extract -C "$keys/extracted" "$signed_dir/$train.exe" || fail "extract refused it"
for file in "${samples[@]}"; do
  cmp "$file" "$keys/extracted/$(basename "$file")" || fail "extract changed $(basename "$file")"
done
[ "$(ls "$keys/extracted" | wc -l)" -eq "${#samples[@]}" ] || fail "extract wrote more than the files"

head -c -1 "$signed_dir/$train.exe" >"$keys/cut.exe"
if "$binario" list "$keys/cut.exe" >"$keys/cut.log"; then fail "a cut signed installer listed as sound"; fi
grep -q 'Errore n. 1252' "$keys/cut.log" || fail "a cut signed installer is not 1252: $(cat "$keys/cut.log")"

wine_env
start_screen
ensure_prefix
for dir in "$unsigned_dir" "$signed_dir"; do
  start_installer "$dir/$train.exe"
  wait_installer 120
  [ "$installer_status" -eq 0 ] ||
    fail "the installer in $dir ended with status $installer_status: $(cat "$WINE_TEST_DIR/installer.log")"
  rm "$dir/$train.exe"
done
diff -r "$unsigned_dir" "$signed_dir" || fail "the signed installer left a different folder"
echo "same folder from the signed and the unsigned installer:"
ls -l "$signed_dir"
