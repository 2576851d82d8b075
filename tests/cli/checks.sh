# Sourced by the command-line tests: a scratch folder $work, removed at the
# end, that is the program's home too (so no test reads or writes the user's
# settings); $py, Debian's Python, which has python3-ezdxf and python3-pil;
# and checks that count failures and run a command with its output in
# $work/out and $work/err.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_CACHE_HOME=$work/cache
py=/usr/bin/python3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_status() {  # expected, description, command...
    local want=$1 what=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit $got, expected $want ($(cat "$work/err"))"
}
