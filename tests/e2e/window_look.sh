#!/usr/bin/env bash
# The main window as a person first sees it, at one and at two device pixels
# per pixel: a new pattern from a flat magenta picture, fitted to the work
# window. The screenshot must show the whole picture, uncut and in its
# proportions (no panel or toolbar over the work window), beside the docked
# palette. Set SHOTS=folder to keep the screenshots.
set -euo pipefail
app=$1
cli=$2
scale=$3
export QT_SCALE_FACTOR=$scale
SCREEN=$((1400 * scale))x$((900 * scale))
source "$(dirname "$0")/lib.sh"
picture=$work/magenta.png
/usr/bin/python3 - "$picture" <<'PY'
import sys
from PIL import Image
Image.new("RGB", (600, 400), (255, 0, 255)).save(sys.argv[1], dpi=(100, 100))
PY

start_new_pattern_from_picture
sleep 0.5
shot "window-at-$scale"
/usr/bin/python3 - "$DISPLAY" "$scale" <<'PY'
import sys
from PIL import ImageGrab
shot = ImageGrab.grab(xdisplay=sys.argv[1])
scale = int(sys.argv[2])
w, h = shot.size
px = shot.load()
magenta = [(x, y) for y in range(0, h, 2) for x in range(0, w, 2)
           if px[x, y][0] > 230 and px[x, y][1] < 40 and px[x, y][2] > 230]
if not magenta:
    sys.exit("the picture is nowhere on the screen")
xs = [p[0] for p in magenta]
ys = [p[1] for p in magenta]
left, right, top, bottom = min(xs), max(xs), min(ys), max(ys)
box = ((right - left) // 2 + 1) * ((bottom - top) // 2 + 1)
filled = len(magenta) / box
aspect = (right - left + 2) / (bottom - top + 2)
print(f"picture at {left},{top} to {right},{bottom} on {w}x{h}: {filled:.3f} filled, aspect {aspect:.3f}")
if filled < 0.995:
    sys.exit("something covers the picture")
if abs(aspect - 1.5) > 0.02:
    sys.exit("the picture is cut or out of proportion")
# Fitted to a work window that shows it at least 500 by 350 pixels (at one pixel per pixel).
if right - left < 500 * scale or bottom - top < 350 * scale:
    sys.exit("the work window is too small")
PY
