#!/usr/bin/env bash
# The real desktop program on a virtual X display, used with real input:
# a traced stroke taken back with Ctrl+Z, a second stroke traced and saved
# (the file must hold the second stroke only); then a double click on the
# stroke and a drag of it: saved again, every line of it has moved by the
# same amount and its segments still meet. Set SHOTS=folder to keep
# screenshots of each stage.
set -euo pipefail
app=$1
cli=$2
picture=$3
source "$(dirname "$0")/lib.sh"

start_new_pattern_from_picture
# Edit, Draw, Lines, Trace by their access keys.
for key in alt+e w l t; do xdotool key "$key"; sleep 0.2; done
centre_of '^Tessary - New'
drag 1 $((cx - 150)) $((cy - 120)) $((cx + 150)) $((cy - 60))
shot 1-first-stroke
xdotool key ctrl+z
sleep 0.3
drag 1 $((cx - 150)) $((cy + 60)) $((cx + 150)) $((cy + 120))
shot 2-undone-and-second

xdotool key ctrl+s
focus '^Save Pattern File As$'
xdotool type --delay 5 "$work/stroke.pat"
xdotool key Return
window '^Tessary - stroke' >/dev/null
"$cli" dump "$work/stroke.pat" >"$work/before.json"

# Edit, Select, Object; a double click on the stroke's middle takes it all,
# and a drag from there moves it.
focus '^Tessary - stroke'
for key in alt+e s o; do xdotool key "$key"; sleep 0.2; done
xdotool mousemove "$cx" $((cy + 90)) click --repeat 2 --delay 80 1
sleep 0.3
shot 3-chain
drag 1 "$cx" $((cy + 90)) $((cx + 40)) $((cy + 150))
shot 4-moved
xdotool key ctrl+s
sleep 0.5
"$cli" dump "$work/stroke.pat" >"$work/after.json"

python3 - "$work/before.json" "$work/after.json" <<'CHECK'
import json, sys
before = json.load(open(sys.argv[1]))
after = json.load(open(sys.argv[2]))
lines, moved = before["lines"], after["lines"]
height = before["options"]["HeightTwips"]
if len(lines) < 3:
    sys.exit(f"expected the second stroke's segments, the file holds {lines}")
# The undone stroke lay above the middle of the page, the second below it.
if min(min(l[1], l[3]) for l in lines) < height / 2:
    sys.exit(f"the undone stroke is still in the file: {lines}")
for a, b in zip(lines, lines[1:]):
    if a[2:4] != b[0:2]:
        sys.exit(f"the traced segments do not meet: {a} then {b}")
if len(moved) != len(lines):
    sys.exit(f"the drag changed the number of lines: {len(lines)} became {len(moved)}")
# Every end moved by the same amount, to a hundredth of a twip (the window's
# zoom turns the drag into twips in single precision).
dx, dy = moved[0][0] - lines[0][0], moved[0][1] - lines[0][1]
for l, m in zip(lines, moved):
    for k in range(4):
        if abs(m[k] - l[k] - (dx, dy)[k % 2]) > 0.01:
            sys.exit(f"the stroke did not move as one: {l} became {m}, the first by {dx}, {dy}")
if abs(dx) < 1 and abs(dy) < 1:
    sys.exit(f"the stroke was not moved: shift {dx}, {dy}")
for a, b in zip(moved, moved[1:]):
    if a[2:4] != b[0:2]:
        sys.exit(f"the segments no longer meet: {a} then {b}")
print(f"{len(lines)} segments moved by {dx:.2f}, {dy:.2f} twips")
CHECK
