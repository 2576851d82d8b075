#!/usr/bin/env bash
# The real desktop program on a virtual X display, used with real input:
# a new pattern from a picture, a traced stroke, a save; the saved file is
# then read back with tessary-cli.
set -euo pipefail
app=$1
cli=$2
picture=$3
source "$(dirname "$0")/lib.sh"

start_new_pattern_from_picture
# Edit, Draw, Lines, Trace by their access keys.
for key in alt+e w l t; do xdotool key "$key"; sleep 0.2; done

# A stroke across the middle of the work window.
centre_of '^Tessary - New'
x=$((cx - 100))
y=$((cy - 80))
xdotool mousemove "$x" "$y" mousedown 1
for i in $(seq 1 40); do xdotool mousemove $((x + i * 5)) $((y + i * 4)); done
xdotool mouseup 1
sleep 0.3

xdotool key ctrl+s
focus '^Save Pattern File As$'
xdotool type --delay 5 "$work/traced.pat"
xdotool key Return
window '^Tessary - traced' >/dev/null

"$cli" dump "$work/traced.pat" >"$work/dump.json"
lines=$(grep -o '\],\[' "$work/dump.json" | wc -l)
bytes=$(stat -c %s "$picture")
grep -q "\"picture\": {\"bytes\": $bytes," "$work/dump.json" || { echo "picture not saved"; exit 1; }
[ "$lines" -ge 5 ] || { echo "too few traced lines: $lines"; cat "$work/dump.json" | head -c 600; exit 1; }

# A second start hands its file to the running copy and ends quietly.
cp "$work/traced.pat" "$work/second.pat"
(cd "$work" && timeout 10 "$app" second.pat >"$work/second.log" 2>&1) || {
    echo "the second start failed:"; cat "$work/second.log"; exit 1; }
window '^Tessary - second' >/dev/null || { echo "the running copy did not open the second file"; exit 1; }
kill -0 "$program" 2>/dev/null || { echo "the running copy ended"; exit 1; }
echo "traced and saved; the file holds about $((lines + 1)) lines and the picture; a second start opened its file here"
