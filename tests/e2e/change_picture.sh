#!/usr/bin/env bash
# The real desktop program on a virtual X display, used with real input: a
# new pattern on a picture, a line drawn across it, then Edit > Change
# Picture with a picture twice as large, accepted and aligned as it comes,
# and saved. The saved pattern must have the new picture's size, with its
# line moved to the corner and grown to fill the new picture. Set
# SHOTS=folder to keep screenshots of each stage.
set -euo pipefail
app=$1
cli=$2
picture=$3
source "$(dirname "$0")/lib.sh"

# Twice the sample's 400 pixels each way at its 50 dots per inch.
python3 - "$work/twice.bmp" <<'PICTURE'
import struct, sys
side, dpm = 800, 1969
row = bytes([200, 220, 235]) * side
image = row * side
header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(image), dpm, dpm, 0, 0)
open(sys.argv[1], "wb").write(header + info + image)
PICTURE

start_new_pattern_from_picture
for key in alt+e w l s; do xdotool key "$key"; sleep 0.2; done
centre_of '^Tessary - New'
drag 1 $((cx - 150)) $((cy - 100)) $((cx + 60)) $((cy + 40))
shot 1-drawn

# Edit, Change Picture; the new picture, Pattern Setup as it comes; the
# alignment that follows ends from the menu by its access key.
for key in alt+e p; do xdotool key "$key"; sleep 0.2; done
focus '^Open Picture File$'
xdotool type --delay 5 "$work/twice.bmp"
xdotool key Return
# Over a megabyte: the program asks first.
focus '^Tessary$'
xdotool key y
focus '^Pattern Options'
xdotool key Return
focus '^Tessary - New'
shot 2-aligning
for key in alt+e e; do xdotool key "$key"; sleep 0.2; done
shot 3-aligned

xdotool key ctrl+s
focus '^Save Pattern File As$'
xdotool type --delay 5 "$work/changed.pat"
xdotool key Return
window '^Tessary - changed' >/dev/null

"$cli" dump "$work/changed.pat" >"$work/dump.json"
python3 - "$work/dump.json" <<'CHECK'
import json, sys
pattern = json.load(open(sys.argv[1]))
size = pattern["options"]["WidthTwips"], pattern["options"]["HeightTwips"]
side = 800 * 1440 * 39.37007874 / 1969  # its pixels at its resolution, in twips
if max(abs(s - side) for s in size) > 1:
    sys.exit(f"the pattern should have the new picture's size, {side:.1f} twips a side: {size}")
lines = pattern["lines"]
if len(lines) != 1:
    sys.exit(f"expected the one line drawn, the file holds {lines}")
x1, y1, x2, y2 = lines[0]
left, top, right, bottom = min(x1, x2), min(y1, y2), max(x1, x2), max(y1, y2)
if abs(left) > 1 or abs(top) > 1:
    sys.exit(f"the line should start at the corner: {lines[0]}")
if min(abs(right - side), abs(bottom - side)) > 1:
    sys.exit(f"the line should reach across the new picture: {lines[0]}")
print(f"fitted: {lines[0]} on a {size[0]} x {size[1]} twip pattern")
CHECK
