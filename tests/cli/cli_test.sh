#!/usr/bin/env bash
# tessary-cli from the outside: exit codes, messages, and a convert that
# loses nothing.
set -u
cli=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_CACHE_HOME=$work/cache
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_status() {  # expected, description, command...
    local want=$1 what=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit $got, expected $want ($(cat "$work/err"))"
}

expect_status 0 "info" "$cli" info "$sample"
grep -q '^Lines: *536$' "$work/out" || fail "info lines: $(cat "$work/out")"
grep -q '^Size: *8 x 8 in' "$work/out" || fail "info size: $(cat "$work/out")"
grep -q '^Picture: *480054 bytes$' "$work/out" || fail "info picture: $(cat "$work/out")"

expect_status 0 "dump" "$cli" dump "$sample"
cp "$work/out" "$work/sample.json"
grep -q '"picture": {"bytes": 480054, "sha256": "[0-9a-f]\{64\}"}' "$work/sample.json" || fail "dump picture"

# A converted file dumps exactly as its source, picture included.
expect_status 0 "convert" "$cli" convert "$sample" "$work/copy.pat"
expect_status 0 "dump copy" "$cli" dump "$work/copy.pat"
cmp -s "$work/out" "$work/sample.json" || fail "convert changed the pattern"

expect_status 0 "convert without picture" "$cli" convert "$sample" "$work/bare.pat" --without-picture
expect_status 0 "dump bare" "$cli" dump "$work/bare.pat"
grep -q '"picture": null}$' "$work/out" || fail "picture was kept"
[ "$(sed 's/"picture": .*//' "$work/out")" = "$(sed 's/"picture": .*//' "$work/sample.json")" ] ||
    fail "lines or options changed without the picture"

# The batch run extracts pictures privately, never into the desktop's folder.
[ ! -e "$work/cache/Tessary/ttsyimage.tmp" ] || fail "picture left in the user's temporary folder"
[ ! -e "$work/config/Tessary/Tessary.conf" ] || fail "settings were written"

expect_status 1 "missing file" "$cli" info "$work/none.pat"
grep -q 'The selected file was not found.' "$work/err" || fail "missing file message"
head -c 100 "$sample" >"$work/cut.pat"
expect_status 1 "damaged file" "$cli" dump "$work/cut.pat"
grep -q 'The selected file could not be loaded.' "$work/err" || fail "damaged file message"
[ ! -s "$work/out" ] || fail "damaged file printed output"
expect_status 1 "unwritable target" "$cli" convert "$sample" "$work/no/such/folder/x.pat"
grep -q 'The pattern file could not be saved.' "$work/err" || fail "save failure message"

expect_status 2 "no command" "$cli"
expect_status 2 "unknown command" "$cli" frobnicate "$sample"
expect_status 2 "missing operand" "$cli" convert "$sample"
expect_status 2 "unknown option" "$cli" dump --fast "$sample"

[ "$failures" -eq 0 ] && echo "all cli checks passed"
exit $((failures > 0))
