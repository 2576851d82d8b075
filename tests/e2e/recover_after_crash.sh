#!/usr/bin/env bash
# The real desktop program on a virtual X display, used with real input: a
# pattern saved, then changed and left until the autosave (one second, as
# the settings file asks) has kept the changes; the program is killed. The
# next start asks about them; they are recovered under the saved file's
# name, and saving writes there the lines the autosave kept. Set
# SHOTS=folder to keep screenshots of each stage.
set -euo pipefail
app=$1
cli=$2
picture=$3
source "$(dirname "$0")/lib.sh"

mkdir -p "$XDG_CONFIG_HOME/Tessary"
printf '[Recovery]\nAutosaveSeconds=1\n' >"$XDG_CONFIG_HOME/Tessary/Tessary.conf"
recovery=$XDG_STATE_HOME/Tessary/recovery
line_count() { "$cli" dump "$1" | python3 -c 'import json, sys; print(len(json.load(sys.stdin)["lines"]))'; }
until_true() {  # waits up to 10 s for a command to succeed
    for _ in $(seq 1 100); do "$@" && return 0; sleep 0.1; done
    return 1
}
recovery_empty() { [ -z "$(ls -A "$recovery" 2>/dev/null)" ]; }
kept_lines() { [ -f "$recovery/rose.pat" ] && [ "$(line_count "$recovery/rose.pat")" = "$1" ]; }

start_new_pattern_from_picture
# Edit, Draw, Lines, Straight by their access keys.
for key in alt+e w l s; do xdotool key "$key"; sleep 0.2; done
centre_of '^Tessary - New'
line() {  # one straight line left of the palette, the series ended by a right press there
    drag 1 $((cx - 220)) $((cy + $1)) $((cx - 20)) $((cy + $1))
    xdotool click 3
    sleep 0.2
}
line 0
xdotool key ctrl+s
focus '^Save Pattern File As$'
xdotool type --delay 5 "$work/rose.pat"
xdotool key Return
window '^Tessary - rose' >/dev/null
until_true recovery_empty || { echo "a saved pattern kept a recovery file:"; ls -l "$recovery"; exit 1; }

line 60
line 120
until_true kept_lines 3 || { echo "the changes were not autosaved:"; ls -l "$recovery"; exit 1; }
grep -qxF "original=$work/rose.pat" "$recovery/rose.origin" || {
    echo "the original is not named:"; cat "$recovery/rose.origin"; exit 1; }
shot 1-autosaved
kill -KILL "$program"
wait "$program" 2>/dev/null || true
program=""
"$cli" dump "$recovery/rose.pat" >"$work/kept.json"

"$app" >"$work/app.log" 2>&1 &
program=$!
focus '^Recover Unsaved Patterns$'
shot 2-question
xdotool key Return
focus '^Tessary - rose'
shot 3-recovered
# Recovered under the original's name: Save writes there without asking.
xdotool key ctrl+s
until_true recovery_empty || { echo "the recovery file stayed after saving:"; ls -l "$recovery"; exit 1; }
"$cli" dump "$work/rose.pat" >"$work/saved.json"
python3 - "$work/kept.json" "$work/saved.json" <<'CHECK'
import json, sys
kept, saved = (json.load(open(p))["lines"] for p in sys.argv[1:])
if len(saved) != 3 or saved != kept:
    sys.exit(f"the saved lines are not those kept: {saved} against {kept}")
if len({line[1] for line in saved}) != 3 or any(line[1] != line[3] for line in saved):
    sys.exit(f"not the three level lines drawn: {saved}")
CHECK
echo "three lines autosaved, the program killed, recovered as rose and saved over rose.pat"
