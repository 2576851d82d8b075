#!/usr/bin/env bash
# Takes the screenshots of the guide and of docs/ from the real program with
# the bundled example, on a virtual X display: the main window in its three
# views, then Auto Trace on the example's picture (the dialog, and the
# pattern it made). Run from the top folder after a build:
#   docs/screenshots.sh build/src/app/tessary
set -euo pipefail
app=$(realpath "$1")
top=$(cd "$(dirname "$0")/.." && pwd)
out=$top/resources/help
work=$(mktemp -d)
trap 'kill $program $server 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
server=$!
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

"$app" "$top/examples/rose.pat" >/dev/null 2>&1 &
program=$!
for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name '^Tessary - rose' 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
done
xdotool windowfocus --sync "$id"
sleep 1

window() {  # waits for a window whose name matches, prints its id
    for _ in $(seq 1 100); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.1
    done
    return 1
}
shot() {  # a window (the main one unless named), as name.png
    eval "$(xdotool getwindowgeometry --shell "${2:-$id}")"
    /usr/bin/python3 - "$DISPLAY" "$X" "$Y" "$WIDTH" "$HEIGHT" "$out/$1.png" <<'PY'
import sys
from PIL import ImageGrab
display, x, y, w, h, path = sys.argv[1], *map(int, sys.argv[2:6]), sys.argv[6]
ImageGrab.grab(xdisplay=display).crop((x, y, x + w, y + h)).save(path, optimize=True)
PY
}
shot view-both
xdotool key alt+v c && sleep 0.5 && shot view-picture
xdotool key alt+v t && sleep 0.5 && shot view-pattern
xdotool key alt+v b && sleep 0.3

# A new pattern from the example's picture, traced automatically.
xdotool key ctrl+n
xdotool windowfocus --sync "$(window '^New Pattern')" && xdotool key i
xdotool windowfocus --sync "$(window '^Open Picture File$')"
xdotool type --delay 5 "$top/examples/rose.bmp"
xdotool key Return
xdotool windowfocus --sync "$(window '^Pattern Options')" && xdotool key Return
id=$(window '^Tessary - New')
xdotool windowfocus --sync "$id"
sleep 0.5
xdotool key alt+e && sleep 0.2 && xdotool key o
dialog=$(window '^Auto Trace$')
sleep 0.5
shot auto-trace-dialog "$dialog"
xdotool windowfocus --sync "$dialog" && xdotool key Return
sleep 1
xdotool windowfocus --sync "$id"
xdotool key alt+v t && sleep 0.5 && shot auto-trace-after
echo "screenshots in $out"
