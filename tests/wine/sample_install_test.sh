#!/usr/bin/env bash
# The sample package built around the Windows stub, run under wine, leaves a
# folder byte for byte the same as the Linux stub leaves for the same package:
# the same outputs and the same kept packaged files, nothing else. Both
# folders start with older, longer files under a packaged name and an output
# name, which each installer must replace whole.
#
# usage: sample_install_test.sh BINARIO WINDOWS_STUB LINUX_STUB SAMPLE_DIR ROUTE TRAIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

binario=$1 windows_stub=$2 linux_stub=$3 sample_dir=$4 route=$5 train=$6
require "$binario" "$windows_stub" "$linux_stub"
echo "binario-stub.exe: $(stat -c %s "$windows_stub") bytes"

collect_samples "$sample_dir"

linux_dir="$WINE_TEST_DIR/linux" windows_dir="$WINE_TEST_DIR/windows"
rm -rf "$linux_dir" "$windows_dir"
mkdir -p "$linux_dir" "$windows_dir"
"$binario" pack --route "$route" --train "$train" --stub "$linux_stub" \
  -o "$linux_dir/$train" "${samples[@]}"
"$binario" pack --route "$route" --train "$train" --stub "$windows_stub" \
  -o "$windows_dir/$train.exe" "${samples[@]}"
for dir in "$linux_dir" "$windows_dir"; do
  for name in "${route}_${train}_note.txt" "${route}_${train}.sim"; do
    head -c 200000 /dev/zero | tr '\0' 'x' >"$dir/$name"
  done
done

(cd / && "$linux_dir/$train") || fail "the Linux installer ended with status $?"

wine_env
start_screen
ensure_prefix
start_installer "$windows_dir/$train.exe"
wait_installer 120
[ "$installer_status" -eq 0 ] ||
  fail "the Windows installer ended with status $installer_status: $(cat "$WINE_TEST_DIR/installer.log")"

rm "$linux_dir/$train" "$windows_dir/$train.exe"
diff -r "$linux_dir" "$windows_dir" || fail "the two installers left different folders"

# Both kept every packaged file other than the two compiled texts, unchanged.
for file in "${samples[@]}"; do
  name=$(basename "$file")
  case "$name" in
    "${route}_linea.txt" | "${route}_${train}-.txt") continue ;;
  esac
  cmp "$file" "$windows_dir/$name" || fail "$name was not unpacked unchanged"
done
echo "same folder from both installers:"
ls -l "$windows_dir"
