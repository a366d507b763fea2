#!/usr/bin/env bash
# The author tool cross-built for Windows, run under wine, does what the Linux
# tool does: it packs the sample (names with spaces and an 8-bit name of the
# ANSI code page among its files) into an installer byte for byte the same as
# the Linux tool's, and that installer runs; `check` finds the same faults in a
# broken scenario with the same words; `dump` and `preview` write the same
# text; a scenario folder given alone is packed beside itself.
#
# usage: windows_tool_test.sh WINDOWS_TOOL LINUX_TOOL WINDOWS_STUB SAMPLE_DIR ROUTE TRAIN VERSION
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

windows_tool=$1 linux_tool=$2 windows_stub=$3 sample_dir=$4 route=$5 train=$6 version=$7
require "$windows_tool" "$linux_tool" "$windows_stub"
echo "binario.exe: $(stat -c %s "$windows_tool") bytes"

collect_samples "$sample_dir"
work="$WINE_TEST_DIR/work"
rm -rf "$work"
# The tool and its stub side by side, as the Windows bundle installs them.
mkdir -p "$work/tool" "$work/linux" "$work/windows" "$work/sample files"
cp "$windows_tool" "$work/tool/binario.exe"
cp "$windows_stub" "$work/tool/binario-stub.exe"
cp "${samples[@]}" "$work/sample files/"
# caffè.txt: for Linux the byte 0xe8, as the installer stores it; for wine the
# UTF-8 name it shows to Windows programs as that byte of code page 1252.
printf 'orario del caff\xe8\r\n' >"$work/linux/$(printf 'caff\xe8.txt')"
printf 'orario del caff\xe8\r\n' >"$work/windows/caffè.txt"

wine_env
export LC_ALL=C.UTF-8  # wine's code page 1252
start_screen
ensure_prefix
cd "$work"
# Runs binario.exe with the arguments, from $work; standard output and error
# into $WINE_TEST_DIR/out and err, line ends as on Linux.
tool_status=
windows() {
  tool_status=0
  timeout 120 wine tool/binario.exe "$@" >"$WINE_TEST_DIR/out.raw" 2>"$WINE_TEST_DIR/err.raw" \
    </dev/null || tool_status=$?
  tr -d '\r' <"$WINE_TEST_DIR/out.raw" >"$WINE_TEST_DIR/out"
  tr -d '\r' <"$WINE_TEST_DIR/err.raw" >"$WINE_TEST_DIR/err"
}
linux() {
  tool_status=0
  "$linux_tool" "$@" >"$WINE_TEST_DIR/linux.out" 2>"$WINE_TEST_DIR/linux.err" || tool_status=$?
}

windows --version
[ "$tool_status" -eq 0 ] && [ "$(cat "$WINE_TEST_DIR/out")" = "binario $version" ] ||
  fail "--version said \"$(cat "$WINE_TEST_DIR/out")\" (status $tool_status), not \"binario $version\""
windows --help
grep -qF "binario $version" "$WINE_TEST_DIR/out" || fail "--help does not name the version"

# Pack: no --stub, so the Windows tool takes the stub beside it.
names=()
for file in "${samples[@]}"; do names+=("sample files/$(basename "$file")"); done
linux pack --route "$route" --train "$train" --stub "$windows_stub" -o linux/installer.exe \
  "${names[@]}" "linux/$(printf 'caff\xe8.txt')"
[ "$tool_status" -eq 0 ] || fail "the Linux tool did not pack: $(cat "$WINE_TEST_DIR/linux.err")"
windows pack --route "$route" --train "$train" -o "windows/$train installer.exe" \
  "${names[@]}" windows/caffè.txt
[ "$tool_status" -eq 0 ] || fail "binario.exe did not pack (status $tool_status): $(cat "$WINE_TEST_DIR/err")"
cmp linux/installer.exe "windows/$train installer.exe" ||
  fail "binario.exe packed another installer than the Linux tool"
echo "same installer from both tools: $(stat -c %s linux/installer.exe) bytes"

start_installer "$work/windows/$train installer.exe"
wait_installer 120
[ "$installer_status" -eq 0 ] ||
  fail "the installer ended with status $installer_status: $(cat "$WINE_TEST_DIR/installer.log")"
[ -f "windows/${route}_${train}.sim" ] || fail "the installer left no ${route}_${train}.sim"
cmp "windows/caffè.txt" "linux/$(printf 'caff\xe8.txt')" || fail "caffè.txt was not unpacked"

# The same dump of the files the installer compiled, and the same preview of it.
compiled=("windows/${route}_${train}.sim" "windows/${route}_${train}.dat" "windows/${route}_linea.dat")
for command in "dump --format json" "dump --format csv" "dump"; do
  read -r -a args <<<"$command"
  linux "${args[@]}" "${compiled[@]}"
  linux_status=$tool_status
  windows "${args[@]}" "${compiled[@]}"
  [ "$linux_status" -eq 0 ] && [ "$tool_status" -eq "$linux_status" ] ||
    fail "$command: status $tool_status on Windows, $linux_status on Linux: $(cat "$WINE_TEST_DIR/err")"
  [ -s "$WINE_TEST_DIR/out" ] || fail "$command wrote nothing"
  tr -d '\r' <"$WINE_TEST_DIR/linux.out" | cmp - "$WINE_TEST_DIR/out" ||
    fail "$command wrote other text on Windows"
done

linux preview -o linux/page.html linux/installer.exe
windows preview -o windows/page.html linux/installer.exe
[ "$tool_status" -eq 0 ] || fail "preview ended with status $tool_status: $(cat "$WINE_TEST_DIR/err")"
cmp linux/page.html windows/page.html || fail "preview drew another page on Windows"

# A broken scenario: a word where a number belongs, and a tab.
mkdir broken
cp "${samples[@]}" broken/
scenario="broken/${route}_${train}-.txt"
sed -i -e 's/percentuale massa frenata,    125/percentuale massa frenata,    tanta/' \
  -e 's/^sabbia,    300/sabbia,\t300/' "$scenario"
linux check broken
[ "$tool_status" -eq 1 ] || fail "the Linux tool's check ended with status $tool_status"
windows check broken
[ "$tool_status" -eq 1 ] || fail "binario.exe check ended with status $tool_status"
grep -q "tanta" "$WINE_TEST_DIR/err" || fail "check does not show the faulty field"
# Windows joins the folder and the file with its own separator.
sed -i 's|broken\\|broken/|g' "$WINE_TEST_DIR/err"
diff "$WINE_TEST_DIR/linux.err" "$WINE_TEST_DIR/err" || fail "check says other things on Windows"

# The folder dropped on the program: a broken one gives the diagnostics and no installer.
windows broken
[ "$tool_status" -eq 1 ] || fail "the dropped broken folder ended with status $tool_status"
sed -i 's|broken\\|broken/|g' "$WINE_TEST_DIR/err"
diff <(head -n "$(wc -l <"$WINE_TEST_DIR/linux.err")" "$WINE_TEST_DIR/err") "$WINE_TEST_DIR/linux.err" ||
  fail "the dropped broken folder did not show check's diagnostics"
[ ! -e "installa $train.exe" ] || fail "an installer was packed from a broken folder"
# A sound one is packed beside itself, into the installer the pack command makes.
windows "sample files"
[ "$tool_status" -eq 0 ] || fail "the dropped folder ended with status $tool_status: $(cat "$WINE_TEST_DIR/err")"
grep -qF "installa $train.exe" "$WINE_TEST_DIR/out" || fail "the installer's name was not shown"
linux pack --route "$route" --train "$train" --stub "$windows_stub" -o linux/sorted.exe \
  "$work/sample files"/*
cmp linux/sorted.exe "installa $train.exe" || fail "the dropped folder was packed otherwise"
cat "$WINE_TEST_DIR/out"
