# Shared by the end-to-end tests: a private home, a virtual X display that
# answers, and helpers to find, focus and drive the real window. Sourced after
# app, cli and picture are set (SCREEN, as 1400x900, sizes the display);
# leaves the program's pid in $program for cleanup.
work=$(mktemp -d)
server=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_STATE_HOME=$work/state \
    XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

# Xvfb picks a free display itself and reports its number; the display is
# used only once it answers.
start_display() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 "${SCREEN:-1400x900}x24" -nolisten tcp 3>"$work/display" >>"$work/xvfb.log" 2>&1 &
    server=$!
    for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
    for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    kill "$server" 2>/dev/null || true
    return 1
}
start_display || start_display || { echo "no virtual display:"; cat "$work/xvfb.log"; exit 1; }

window() {  # waits for a window whose name matches, prints its id
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window named $1; the program said:" >&2
    cat "$work/app.log" >&2
    return 1
}
focus() { xdotool windowfocus --sync "$(window "$1")"; sleep 0.3; }
centre_of() {  # sets cx and cy to the middle of the window whose name matches
    eval "$(xdotool getwindowgeometry --shell "$(window "$1")")"
    cx=$((X + WIDTH / 2))
    cy=$((Y + HEIGHT / 2))
}
shot() { if [ -n "${SHOTS:-}" ] && command -v import >/dev/null; then import -window root "$SHOTS/$1.png"; fi; }
drag() {  # button, from x y, to x y, in steps
    xdotool mousemove "$2" "$3" mousedown "$1"
    for i in $(seq 1 20); do xdotool mousemove $(($2 + ($4 - $2) * i / 20)) $(($3 + ($5 - $3) * i / 20)); done
    sleep 0.1
    xdotool mouseup "$1"
    sleep 0.3
}

# Starts the program and makes a new pattern from $picture with Pattern
# Setup's defaults, by the keyboard, as a user would.
start_new_pattern_from_picture() {
    "$app" >"$work/app.log" 2>&1 &
    program=$!
    sleep 0.5
    kill -0 "$program" 2>/dev/null || { echo "tessary did not start on $DISPLAY:"; cat "$work/app.log" "$work/xvfb.log"; exit 1; }
    focus '^Tessary$'
    xdotool key ctrl+n
    focus '^New Pattern'
    xdotool key i
    focus '^Open Picture File$'
    xdotool type --delay 5 "$picture"
    xdotool key Return
    focus '^Pattern Options'
    xdotool key Return
    focus '^Tessary - New'
}
