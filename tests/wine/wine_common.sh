# Shared by the wine tests: the tools check, a private virtual X screen, a
# wine prefix under the build tree, and running an installer with a deadline.
# Sourced by bash scripts running with `set -euo pipefail`.

# Exit status that CTest reports as a skipped test.
readonly SKIPPED=77

# Installer outputs and screenshots are kept here.
: "${WINE_TEST_DIR:?}"
# The prefix shared by all wine tests of one build tree.
: "${WINE_TEST_PREFIX:?}"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Missing tools fail the run on CI (where they must be present) and skip the
# test elsewhere, saying so.
require() {
  local missing=()
  local tool
  for tool in wine wineserver Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  local file
  for file in "$@"; do
    [ -f "$file" ] || missing+=("$file")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ -n "${CI:-}" ]; then
    fail "missing on CI: ${missing[*]}"
  fi
  echo "SKIPPED: missing ${missing[*]} (scripts/install-deps.sh installs the tools;" \
       "cmake --preset win && cmake --build --preset win builds the Windows stub)" >&2
  exit "$SKIPPED"
}

xvfb_pid=
wine_env() {
  export WINEPREFIX="$WINE_TEST_PREFIX"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko: their installers would ask questions on first start.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  unset WINESERVER WINELOADER
}

# Starts a private Xvfb on a free display and stops it, and this prefix's
# wine server, when the script ends.
start_screen() {
  local display_file="$WINE_TEST_DIR/display"
  rm -f "$display_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>"$WINE_TEST_DIR/xvfb.log" &
  xvfb_pid=$!
  trap stop_screen EXIT
  local waited=0
  while [ ! -s "$display_file" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$WINE_TEST_DIR/xvfb.log")"
    [ "$waited" -lt 100 ] || fail "Xvfb gave no display within 10 s"
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$(head -n 1 "$display_file")"
}

stop_screen() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}

# Creates the prefix once per build tree (about 15 s), at 120 dots per inch.
# A prefix left half made by an interrupted run, or made by another wine
# version, is made again. Concurrent tests wait for each other here.
ensure_prefix() {
  local version stamp="$WINE_TEST_PREFIX.done"
  version="$(wine --version)"
  mkdir -p "$(dirname "$WINE_TEST_PREFIX")"
  exec 9>"$WINE_TEST_PREFIX.lock"
  flock 9
  if [ "$(cat "$stamp" 2>/dev/null)" != "$version" ]; then
    echo "creating the wine prefix $WINE_TEST_PREFIX ($version)"
    rm -rf "$WINE_TEST_PREFIX" "$stamp"
    timeout 300 wine wineboot --init >"$WINE_TEST_DIR/wineboot.log" 2>&1 ||
      fail "wineboot failed: $(tail -n 5 "$WINE_TEST_DIR/wineboot.log")"
    timeout 120 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f \
      >>"$WINE_TEST_DIR/wineboot.log" 2>&1 || fail "could not set the prefix's DPI"
    timeout 120 wineserver -w
    echo "$version" >"$stamp"
  fi
  flock -u 9
}

# Runs `wine INSTALLER` in the background from another working directory;
# the process id is left in `installer_pid`.
installer_pid=
start_installer() {
  rm -f "$WINE_TEST_DIR/stopped.png"
  (cd / && exec wine "$1") >"$WINE_TEST_DIR/installer.log" 2>&1 &
  installer_pid=$!
}

# Waits up to $1 seconds for the installer to end and leaves its exit status in
# `installer_status`. An installer that puts up a message box (unless $2 is
# "box-closed": the test has just closed one), or is still running then, is
# photographed into stopped.png, killed, and fails the test.
installer_status=
wait_installer() {
  local limit=$(($1 * 10)) waited=0 why=
  while kill -0 "$installer_pid" 2>/dev/null; do
    if [ "${2:-}" != box-closed ] && [ -n "$(windows_named Error)" ]; then
      sleep 0.5  # let the box finish painting
      why="showed a message box"
    elif [ "$waited" -ge "$limit" ]; then
      why="was still running after $1 s"
    fi
    if [ -n "$why" ]; then
      import -window root "$WINE_TEST_DIR/stopped.png" || true
      kill "$installer_pid" 2>/dev/null || true
      wineserver -k 2>/dev/null || true
      fail "the installer $why; screen in $WINE_TEST_DIR/stopped.png"
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  installer_status=0
  wait "$installer_pid" || installer_status=$?
}

# Prints the window ids of the windows whose whole name is $1.
windows_named() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# The sample package's files in folder $1, into the array `samples`.
collect_samples() {
  samples=()
  local file
  for file in "$1"/*; do
    [ -f "$file" ] && samples+=("$file")
  done
  [ ${#samples[@]} -ge 2 ] || fail "no sample package in $1"
}

# pack_longest_route BINARIO WINDOWS_STUB OUT SLOPE: an installer of route R
# and train T, on the longest route a text allows (1000000 m, a 20 MB route
# plan: time for a test to catch the run at work), its gradient SLOPE per
# mille throughout, with a scenario of no station and a note.
pack_longest_route() {
  local texts="$3.texts"
  mkdir -p "$texts"
  {
    printf '[generale]\r\nlunghezza percorso, 1000000\r\n[linea]\r\n'
    for ((km = 0; km < 1000; km += 10)); do printf 'pendenza, %d, %d\r\n' $((km * 1000)) "$4"; done
    printf '[fine]\r\n'
  } >"$texts/R_linea.txt"
  printf '[generale]\r\n[fine]\r\n' >"$texts/R_T-.txt"
  printf 'nota, pendenza %s\r\n' "$4" >"$texts/R_T_note.txt"
  "$1" pack --route R --train T --stub "$2" -o "$3" "$texts"/* >/dev/null
}

source "$(dirname "${BASH_SOURCE[0]}")/../folder_snapshot.sh"
