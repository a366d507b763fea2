#!/usr/bin/env bash
# A package with one bit flipped (which, unsealed, would install), run under wine on a virtual screen at 120 dots per inch:
# the "Attendere" window is up with its label where the window table puts it,
# the message box " Errore n. 1252" is open over it (photographed into
# message_box.png), Return closes the box, the installer ends with status 1
# and has written nothing.
#
# usage: message_box_test.sh BINARIO WINDOWS_STUB SAMPLE_DIR ROUTE TRAIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"

binario=$1 windows_stub=$2 sample_dir=$3 route=$4 train=$5
require "$binario" "$windows_stub"

collect_samples "$sample_dir"

folder="$WINE_TEST_DIR/damaged"
rm -rf "$folder" "$WINE_TEST_DIR/message_box.png"
mkdir -p "$folder"
installer="$folder/$train.exe"
"$binario" pack --route "$route" --train "$train" --stub "$windows_stub" -o "$installer" "${samples[@]}"
# One bit flipped near the end, in the timetable sheet's text, as a damaged
# download may have it: only the seal tells.
flip_at=$(( $(stat -c %s "$installer") - 10 ))
perl -e 'open(my $f, "+<", $ARGV[0]) or die; seek($f, $ARGV[1], 0); read($f, my $b, 1);
         seek($f, $ARGV[1], 0); print $f chr(ord($b) ^ 4); close($f)' "$installer" "$flip_at"

wine_env
start_screen
ensure_prefix
start_installer "$installer"

# The box appears while the installer waits for it to be closed.
box=
for _ in $(seq 600); do
  box=$(windows_named Error)
  [ -n "$box" ] && break
  kill -0 "$installer_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$box" ] || {
  import -window root "$WINE_TEST_DIR/message_box.png" || true
  fail "no message box appeared; screen in $WINE_TEST_DIR/message_box.png;" \
       "installer output: $(cat "$WINE_TEST_DIR/installer.log")"
}
sleep 0.5  # let the box finish painting
import -window root "$WINE_TEST_DIR/message_box.png"
echo "screenshot: $WINE_TEST_DIR/message_box.png"

window=$(windows_named "Installazione scenario")
[ -n "$window" ] || fail "the wait window is not on the screen"

# The client area: 4200 x 2688 twips at 120 dots per inch.
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" -eq 350 ] && [ "$HEIGHT" -eq 224 ] ||
  fail "the wait window's client area is ${WIDTH}x${HEIGHT} pixels, not 350x224"

# The label text lies inside the label's rectangle, 960, 960, 2652 x 792
# twips (80, 80, 221 x 66 pixels), starts at its left edge, and is set in a
# large font; around it the window shows one plain colour.
shot="$WINE_TEST_DIR/message_box.png"
read -r text_w text_h text_x text_y < <(convert "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
  -format '%@\n' info: | tr 'x+' '  ')
echo "label text: ${text_w}x${text_h} pixels at $text_x,$text_y"
[ "$text_x" -ge 80 ] && [ "$text_x" -le 88 ] && [ "$text_y" -ge 80 ] &&
  [ $((text_x + text_w)) -le 301 ] && [ $((text_y + text_h)) -le 146 ] ||
  fail "the label text ${text_w}x${text_h}+${text_x}+${text_y} is not inside the label at 80,80 221x66"
[ "$text_h" -ge 20 ] || fail "the label text is ${text_h} pixels high; a 24-point font is larger"

# Window and label share the dialog colour of the message box itself.
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
window_colour=$(pixel $((X + 2)) $((Y + 2)))
label_colour=$(pixel $((X + 80 + 219)) $((Y + 80 + 64)))
eval "$(xdotool getwindowgeometry --shell "$box")"
box_colour=$(pixel $((X + 2)) $((Y + 2)))
[ "$window_colour" = "$box_colour" ] && [ "$label_colour" = "$box_colour" ] ||
  fail "colours: window $window_colour, label $label_colour, message box $box_colour"

# Return presses the box's one button; the installer then ends with status 1.
xdotool windowfocus --sync "$box"
xdotool key Return
wait_installer 30 box-closed
[ "$installer_status" -eq 1 ] || fail "the installer ended with status $installer_status, not 1"

leftover=$(find "$folder" -mindepth 1 ! -path "$installer")
[ -z "$leftover" ] || fail "a damaged package wrote files: $leftover"
