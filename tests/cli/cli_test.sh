#!/usr/bin/env bash
# tessary-cli from the outside: exit codes, messages, and a convert that
# loses nothing.
set -u
cli=$1
sample=$2
source "$(dirname "$0")/checks.sh"
mounts=()
cleanup() {
    for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

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

# Writers that fail leave every file as it was and no scratch file behind.
# Each case: a description, then the output path, made ready by setup_case.
cp "$sample" "$work/in.pat"
ln -s in.pat "$work/link.pat"
# pdf is a print to a PDF file, page the PDF export.
kinds=(pdf bmp svg dxf png page)
for kind in "${kinds[@]}"; do mkdir -p "$work/targets/folder.$kind"; done
as_root=0
[ "$(id -u)" -eq 0 ] && as_root=1
mount_tmpfs() {  # folder, options
    mkdir -p "$1"
    [ "$as_root" -eq 1 ] && mount -t tmpfs -o "$2" tmpfs "$1" 2>/dev/null && mounts+=("$1")
}
# Root writes anywhere, so its unwritable folder is a read-only mount.
if [ "$as_root" -eq 1 ]; then
    mount_tmpfs "$work/readonly" ro || echo "SKIP unwritable folder: no read-only mount could be made"
else
    mkdir -p "$work/readonly" && chmod 555 "$work/readonly"
fi
# A small disk, nearly full: room for an earlier file of each kind, not
# for a new one (a page of 4 KiB is left; the smallest new file is larger).
if mount_tmpfs "$work/full" size=64k; then
    for kind in "${kinds[@]}"; do echo "earlier" >"$work/full/out.$kind"; done
    head -c 36864 /dev/zero >"$work/full/filler" 2>/dev/null
else
    echo "SKIP full disk: a small disk can only be mounted as root"
fi
for kind in "${kinds[@]}"; do
    cases=("missing folder|$work/no/such/folder/out.$kind"
           "a folder|$work/targets/folder.$kind"
           "the input|$work/in.pat"
           "the input by ./|$work/./in.pat"
           "the input by a link|$work/link.pat")
    if mountpoint -q "$work/readonly" || [ "$as_root" -eq 0 ]; then
        cases+=("unwritable folder|$work/readonly/out.$kind")
    fi
    mountpoint -q "$work/full" 2>/dev/null && cases+=("full disk|$work/full/out.$kind")
    for c in "${cases[@]}"; do
        what=${c%%|*} target=${c#*|}
        folder=$(dirname "$target")
        [ -d "$folder" ] && [ -w "$folder" ] && [ ! -e "$target" ] && echo "earlier" >"$target"
        before=$(ls -A "$folder" 2>/dev/null | sort)
        old=$(cat "$target" 2>/dev/null | sha256sum)
        case $kind in
            pdf) expect_status 1 "pdf onto $what" "$cli" print "$work/in.pat" --pdf "$target" ;;
            bmp) expect_status 1 "bmp onto $what" "$cli" export-bmp "$work/in.pat" "$target" --width 2000 --height 2000 ;;
            page) expect_status 1 "page onto $what" "$cli" export-pdf "$work/in.pat" "$target" ;;
            *) expect_status 1 "$kind onto $what" "$cli" "export-$kind" "$work/in.pat" "$target" ;;
        esac
        [ -s "$work/err" ] || fail "$kind onto $what: no message"
        [ "$(cat "$target" 2>/dev/null | sha256sum)" = "$old" ] || fail "$kind onto $what: the earlier file changed"
        [ "$(ls -A "$folder" 2>/dev/null | sort)" = "$before" ] || fail "$kind onto $what: a file was left in $folder"
    done
done
cmp -s "$sample" "$work/in.pat" || fail "the input pattern was changed"

expect_status 2 "absurd paper" "$cli" print "$sample" --pdf "$work/big.pdf" --paper 1000000000000000000000000000x5in
grep -q 'at most 200 in' "$work/err" || fail "absurd paper message: $(cat "$work/err")"
[ ! -e "$work/big.pdf" ] || fail "absurd paper wrote a PDF"
expect_status 0 "largest paper" "$cli" print "$sample" --pdf "$work/big.pdf" --paper 200x5080mm
for bad in "--labels yes" "--marks 1" "--test-square" "--map of" "--overlap 26" "--overlap -1" "--overlap 2.5" \
    "--page 3B" "--page B0" "--page B-3" "--page 0,1" "--page AAAAAA1"; do
    # shellcheck disable=SC2086
    expect_status 2 "print $bad" "$cli" print "$sample" --pdf "$work/aid.pdf" $bad
    [ ! -e "$work/aid.pdf" ] || fail "print $bad wrote a PDF"
done
# A page is named as its label names it, or by row and column.
for page in a1 1,1; do
    expect_status 0 "print page $page" "$cli" print "$sample" --pdf "$work/page.pdf" --page "$page"
    grep -q '^Printed page A1 of a grid' "$work/out" || fail "print page $page said: $(cat "$work/out")"
done

# edit: a script drives the engine; the result keeps the picture. A
# malformed script writes nothing.
printf 'tool line\npress 100 100\nrelease 100 100\npress 900 100\nrelease 900 100\n' >"$work/line.txt"
expect_status 0 "edit" "$cli" edit "$sample" "$work/edited.pat" --script "$work/line.txt"
expect_status 0 "info edited" "$cli" info "$work/edited.pat"
grep -q '^Lines: *537$' "$work/out" || fail "edit did not add one line: $(cat "$work/out")"
grep -q '^Picture: *480054 bytes$' "$work/out" || fail "edit lost the picture"
# The new line erased again by a rub across it.
printf 'tool erase\ndrag 500 -100 500 350 5\n' >"$work/rub.txt"
expect_status 0 "edit erase" "$cli" edit "$work/edited.pat" "$work/rubbed.pat" --script "$work/rub.txt"
expect_status 0 "info rubbed" "$cli" info "$work/rubbed.pat"
grep -q '^Lines: *536$' "$work/out" || fail "the rub did not erase the line: $(cat "$work/out")"
printf 'tool trace\nscribble 1 2\n' >"$work/bad.txt"
expect_status 2 "malformed script" "$cli" edit "$sample" "$work/never.pat" --script "$work/bad.txt"
grep -q 'script line 2: unknown command "scribble"' "$work/err" || fail "malformed script message"
[ ! -e "$work/never.pat" ] || fail "a malformed script wrote a file"
expect_status 2 "edit without a script" "$cli" edit "$sample" "$work/never.pat"
expect_status 2 "edit with a bad pixel size" "$cli" edit "$sample" "$work/never.pat" --script "$work/line.txt" --twips-per-pixel 0
expect_status 1 "edit into a missing folder" "$cli" edit "$sample" "$work/no/such/folder/x.pat" --script "$work/line.txt"
grep -q 'The pattern file could not be saved.' "$work/err" || fail "edit save failure message"
expect_status 1 "edit onto a folder" "$cli" edit "$sample" "$work" --script "$work/line.txt"
[ ! -e "$work/never.pat" ] || fail "a refused edit wrote a file"
expect_status 1 "edit of a missing file" "$cli" edit "$work/none.pat" "$work/never.pat" --script "$work/line.txt"
# change-picture: the pattern fitted to a picture twice as large; one that
# cannot be had stops the script and writes nothing.
"$py" - "$work/twice.bmp" <<'PICTURE'
import struct, sys
side, dpm = 800, 1969
image = bytes([200, 220, 235]) * side * side
header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(image), dpm, dpm, 0, 0)
open(sys.argv[1], "wb").write(header + info + image)
PICTURE
printf 'change-picture %s\nalign stretch 50\n' "$work/twice.bmp" >"$work/change.txt"
expect_status 0 "change picture" "$cli" edit "$sample" "$work/changed.pat" --script "$work/change.txt"
"$cli" dump "$work/changed.pat" | "$py" -c '
import json, sys
p = json.load(sys.stdin)
side = 800 * 1440 * 39.37007874 / 1969
size = (p["options"]["WidthTwips"], p["options"]["HeightTwips"])
xs = [v for l in p["lines"] for v in (l[0], l[2])] + [v for k, t, l, h, w in p["shapes"] for v in (l, l + w)]
if max(abs(s - side) for s in size) > 1: sys.exit(f"size {size}, not {side}")
# Fitted to the new picture, then shrunk to half about its centre.
if abs(min(xs) - side / 4) > 2 or abs(max(xs) - 3 * side / 4) > 2: sys.exit(f"the pattern spans {min(xs)}..{max(xs)}")
' || fail "change-picture did not fit the pattern to the new picture"
printf 'change-picture %s\n' "$work/none.bmp" >"$work/nopicture.txt"
expect_status 1 "change to a missing picture" "$cli" edit "$sample" "$work/never.pat" --script "$work/nopicture.txt"
grep -q 'could not be' "$work/err" || fail "missing picture message: $(cat "$work/err")"
[ ! -e "$work/never.pat" ] || fail "a failed change of picture wrote a file"

expect_status 2 "no command" "$cli"
expect_status 2 "unknown command" "$cli" frobnicate "$sample"
expect_status 2 "missing operand" "$cli" convert "$sample"
expect_status 2 "unknown option" "$cli" dump --fast "$sample"

[ "$failures" -eq 0 ] && echo "all cli checks passed"
exit $((failures > 0))
