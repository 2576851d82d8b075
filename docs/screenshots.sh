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
picture=$top/examples/rose.bmp
SCREEN=1600x1000
source "$top/tests/e2e/lib.sh"

shot() {  # a window (the main one unless named), as name.png
    eval "$(xdotool getwindowgeometry --shell "${2:-$(window '^Tessary - ')}")"
    /usr/bin/python3 - "$DISPLAY" "$X" "$Y" "$WIDTH" "$HEIGHT" "$out/$1.png" <<'PY'
import sys
from PIL import ImageGrab
display, x, y, w, h, path = sys.argv[1], *map(int, sys.argv[2:6]), sys.argv[6]
ImageGrab.grab(xdisplay=display).crop((x, y, x + w, y + h)).save(path, optimize=True)
PY
}

"$app" "$top/examples/rose.pat" >"$work/app.log" 2>&1 &
program=$!
focus '^Tessary - rose'
sleep 0.5
shot view-both
xdotool key alt+v c && sleep 0.5 && shot view-picture
xdotool key alt+v t && sleep 0.5 && shot view-pattern
kill "$program"
wait "$program" 2>/dev/null || true

# A new pattern from the example's picture, traced automatically.
start_new_pattern_from_picture
xdotool key alt+e && sleep 0.2 && xdotool key o
focus '^Auto Trace$'
sleep 0.5
shot auto-trace-dialog "$(window '^Auto Trace$')"
xdotool key Return
focus '^Tessary - New'
xdotool key alt+v t && sleep 0.5 && shot auto-trace-after
echo "screenshots in $out"
