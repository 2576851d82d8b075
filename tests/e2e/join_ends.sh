#!/usr/bin/env bash
# The real desktop program on a virtual X display, used with real input:
# two straight lines with a gap between them, Select > Ends, one free end
# dragged onto the other, a save; the saved file must hold the two lines
# meeting exactly; then a rub with the eraser across the first line, saved
# again, leaves only the second. Set SHOTS=folder to keep screenshots of
# each stage.
set -euo pipefail
app=$1
cli=$2
picture=$3
source "$(dirname "$0")/lib.sh"

start_new_pattern_from_picture
# Edit, Draw, Lines, Straight by their access keys.
for key in alt+e w l s; do xdotool key "$key"; sleep 0.2; done

centre_of '^Tessary - New'
# Two lines with a gap; the right press between them ends the series.
drag 1 $((cx - 200)) "$cy" $((cx - 40)) "$cy"
xdotool click 3
sleep 0.2
drag 1 $((cx + 40)) $((cy + 30)) $((cx + 200)) $((cy + 30))
shot 1-drawn

# Edit, Select, Ends; then the first line's free end onto the second's.
for key in alt+e s e; do xdotool key "$key"; sleep 0.2; done
sleep 0.3
shot 2-free-ends
drag 1 $((cx - 40)) "$cy" $((cx + 40)) $((cy + 30))
shot 3-joined

xdotool key ctrl+s
focus '^Save Pattern File As$'
xdotool type --delay 5 "$work/joined.pat"
xdotool key Return
window '^Tessary - joined' >/dev/null
shot 4-saved

"$cli" dump "$work/joined.pat" >"$work/dump.json"
python3 - "$work/dump.json" <<'CHECK'
import json, sys
lines = json.load(open(sys.argv[1]))["lines"]
if len(lines) != 2:
    sys.exit(f"expected two lines, the file holds {len(lines)}: {lines}")
first, second = lines
if first[2:4] != second[0:2]:
    sys.exit(f"the ends were not joined: {first} and {second}")
if first[0:2] == first[2:4]:
    sys.exit(f"the first line lost its length: {first}")
print(f"joined: {first} meets {second} at {second[0:2]}")
CHECK

# Edit, Use Eraser; a rub across the first line takes it away, the second stays.
focus '^Tessary - joined'
for key in alt+e e; do xdotool key "$key"; sleep 0.2; done
drag 1 $((cx - 120)) $((cy - 60)) $((cx - 120)) $((cy + 60))
shot 5-erased
xdotool key ctrl+s
sleep 0.5
"$cli" dump "$work/joined.pat" >"$work/erased.json"
python3 - "$work/dump.json" "$work/erased.json" <<'CHECK'
import json, sys
before = json.load(open(sys.argv[1]))["lines"]
after = json.load(open(sys.argv[2]))["lines"]
if after != before[1:]:
    sys.exit(f"the rub should have erased the first line only: {before} became {after}")
print(f"erased: {before[0]}; left {after}")
CHECK
