#!/usr/bin/env bash
# The live preview of the Windows tool under wine: the same browser test as
# the Linux tool's (a save by rename updates the open page, a faulty save
# shows its fault, `GET /` gives the page as the texts stand), served through
# the Windows sockets.
#
# usage: windows_preview_serve_test.sh WINDOWS_TOOL SAMPLE_DIR TEST_SCRIPT
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

windows_tool=$1 sample_dir=$2 test_script=$3
require "$windows_tool"
command -v chromium >/dev/null || require chromium
command -v python3 >/dev/null || require python3

wine_env
start_screen
ensure_prefix
# The test starts "TOOL preview --serve FOLDER --port 0": here TOOL is wine
# running binario.exe, the folder given as Windows names it.
tool="$WINE_TEST_DIR/binario-under-wine"
cat >"$tool" <<SCRIPT
#!/usr/bin/env bash
args=()
for a in "\$@"; do
  if [ -e "\$a" ]; then args+=("\$(winepath -w "\$a")"); else args+=("\$a"); fi
done
exec wine $(printf %q "$windows_tool") "\${args[@]}"
SCRIPT
chmod +x "$tool"
# Wine adds its own start-up of each file and socket call: a second is the bound here.
SAVE_TO_PAGE_MS=1000 python3 "$test_script" "$tool" "$sample_dir" "$WINE_TEST_DIR/serve"
