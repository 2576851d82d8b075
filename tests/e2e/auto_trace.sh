#!/usr/bin/env bash
# Automatic tracing in the real program: a new pattern from the sample
# picture, Edit > Auto Trace... with its first choices, OK; saved, the
# pattern holds the traced pieces with no free end. Then one Ctrl+Z takes the
# whole trace back: saved again, no line is left. Set SHOTS=folder to keep
# screenshots of each stage.
set -euo pipefail
app=$1
cli=$2
picture=$3
source "$(dirname "$0")/lib.sh"

start_new_pattern_from_picture
# Edit, Auto Trace by their access keys.
xdotool key alt+e
sleep 0.2
xdotool key o
focus '^Auto Trace$'
shot 1-dialog
xdotool key Return
focus '^Tessary - New'
sleep 0.5
shot 2-traced
xdotool key ctrl+s
focus '^Save Pattern File As$'
xdotool type --delay 5 "$work/traced.pat"
xdotool key Return
window '^Tessary - traced' >/dev/null
"$cli" dump "$work/traced.pat" >"$work/traced.json"

focus '^Tessary - traced'
xdotool key ctrl+z
sleep 0.5
shot 3-undone
xdotool key ctrl+s
sleep 0.5
"$cli" dump "$work/traced.pat" >"$work/undone.json"

/usr/bin/python3 - "$work/traced.json" "$work/undone.json" <<'CHECK'
import json, sys
from collections import Counter
traced = json.load(open(sys.argv[1]))["lines"]
undone = json.load(open(sys.argv[2]))["lines"]
if len(traced) < 50:
    sys.exit(f"the trace added only {len(traced)} lines")
# Every end is shared by another line: the pieces are closed.
ends = Counter()
for x1, y1, x2, y2 in traced:
    ends[(x1, y1)] += 1
    ends[(x2, y2)] += 1
free = [p for p, n in ends.items() if n == 1]
if free:
    sys.exit(f"{len(free)} free ends, as {free[:5]}")
if undone:
    sys.exit(f"Ctrl+Z left {len(undone)} of the traced lines")
print(f"traced {len(traced)} lines, all taken back by one undo")
CHECK
