#!/usr/bin/env bash
# tessary-cli trace on a photo-like picture: a pattern that the other
# commands read and print, closed everywhere, at the width asked for.
set -u
cli=$1
source "$(dirname "$0")/checks.sh"

# A sky, a sun, a hill and a house with a window, softened and grainy as a
# photo is.
"$py" - "$work/photo.png" <<'PICTURE'
import random, sys
from PIL import Image, ImageDraw, ImageFilter
im = Image.new("RGB", (640, 480))
d = ImageDraw.Draw(im)
for y in range(480):
    d.line((0, y, 639, y), fill=(80 + y // 4, 160, 220 - y // 5))
d.ellipse((400, 60, 560, 220), fill=(250, 200, 60))
d.polygon([(0, 380), (200, 300), (420, 360), (640, 320), (640, 480), (0, 480)], fill=(60, 120, 40))
d.rectangle((80, 200, 200, 400), fill=(150, 90, 80))
d.rectangle((100, 230, 130, 260), fill=(240, 230, 160))
im = im.filter(ImageFilter.GaussianBlur(1.2))
random.seed(3)
im.putdata([tuple(max(0, min(255, c + random.randint(-6, 6))) for c in p) for p in im.getdata()])
im.save(sys.argv[1])
PICTURE
cp "$work/photo.png" "$work/photo.kept"

expect_status 0 "trace" "$cli" trace "$work/photo.png" "$work/traced.pat" --width 10 --colours 8
lines=$(sed -n 's/^Lines: \([0-9]*\)$/\1/p' "$work/out")
pieces=$(sed -n 's/^Pieces: \([0-9]*\)$/\1/p' "$work/out")
[ -n "$lines" ] && [ "$lines" -gt 0 ] || fail "trace lines: $(cat "$work/out")"
[ -n "$pieces" ] && [ "$pieces" -ge 5 ] || fail "trace pieces: $(cat "$work/out")"

expect_status 0 "info" "$cli" info "$work/traced.pat"
grep -q '^Size: *10 x 7.5 in' "$work/out" || fail "size: $(cat "$work/out")"
grep -q "^Lines: *$lines\$" "$work/out" || fail "lines saved: $(cat "$work/out")"
grep -q '^Picture: *[1-9][0-9]* bytes$' "$work/out" || fail "picture not embedded: $(cat "$work/out")"

# Every end meets another; the whole outline of the pattern is there.
expect_status 0 "dump" "$cli" dump "$work/traced.pat"
"$py" - "$work/out" <<'CLOSED' || fail "the traced pattern is not closed"
import collections, json, sys
p = json.load(open(sys.argv[1]))
ends = collections.Counter()
for x1, y1, x2, y2 in p["lines"]:
    assert (x1, y1) != (x2, y2), "a line of no length"
    ends[(x1, y1)] += 1
    ends[(x2, y2)] += 1
    assert all(-1 <= v <= 14401 for v in (x1, x2)) and all(-1 <= v <= 10801 for v in (y1, y2)), "off the pattern"
free = [e for e, n in ends.items() if n == 1]
assert not free, "free ends at %s" % free[:5]
assert ends[(0, 0)] and ends[(14400, 10800)], "corners of the outline"
CLOSED

expect_status 0 "print" "$cli" print "$work/traced.pat" --pdf "$work/traced.pdf"
[ -s "$work/traced.pdf" ] || fail "nothing printed"

expect_status 0 "trace edges" "$cli" trace "$work/photo.png" "$work/edges.pat" --width 4 --mode edges --detail 70 --min-piece 0
grep -q '^Pieces: 0$' "$work/out" || fail "edges pieces: $(cat "$work/out")"

# Never over the picture itself; nothing written on a malformed option.
expect_status 1 "over the picture" "$cli" trace "$work/photo.png" "$work/photo.png" --width 5
cmp -s "$work/photo.png" "$work/photo.kept" || fail "the picture was written over"
for bad in "--colours 1" "--colours 65" "--detail 101" "--mode lines" "--min-piece -1" "--width 0"; do
    # shellcheck disable=SC2086
    expect_status 2 "trace $bad" "$cli" trace "$work/photo.png" "$work/bad.pat" --width 5 $bad
    [ ! -e "$work/bad.pat" ] || fail "written despite $bad"
done
expect_status 2 "trace without a width" "$cli" trace "$work/photo.png" "$work/bad.pat"
expect_status 1 "trace a missing picture" "$cli" trace "$work/none.png" "$work/bad.pat" --width 5
[ ! -e "$work/bad.pat" ] || fail "written from a missing picture"
grep -q "there is no picture file $work/none.png" "$work/err" || fail "a missing picture is not named: $(cat "$work/err")"
head -c 300 "$work/photo.png" >"$work/cut.png"
expect_status 1 "trace a cut-short picture" "$cli" trace "$work/cut.png" "$work/bad.pat" --width 5
[ ! -e "$work/bad.pat" ] || fail "written from a cut-short picture"

[ "$failures" -eq 0 ] || exit 1
