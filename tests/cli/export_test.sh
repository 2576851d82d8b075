#!/usr/bin/env bash
# The exports read back by real readers: librsvg for SVG, ezdxf for DXF,
# PIL for PNG, poppler for PDF.
# A 4 by 2 inch pattern holds one line from (1, 0.5) to (3, 0.5) inches
# and a circle of radius 0.25 inch about (2.25, 1.25), drawn by the editor.
set -u
cli=$1
source "$(dirname "$0")/checks.sh"

# A blank pattern file, 4 by 2 inches; a blank one of 250 by 250 inches;
# one with a line that runs as far as a single-precision number goes
# beside a good one.
"$py" - "$work" <<'PATTERN'
import struct, sys
def text(t): return struct.pack("<h", len(t)) + t
def pattern(lines, width=4, height=2):
    b = text(b"Tessary") + struct.pack("<hhh", 2, 1, 1) + text(b"today")
    b += struct.pack("<7fi", 0.5, 0.5, 0.5, 0.5, width, height, 1 / 64, 0) + struct.pack("<h", -1) + text(b"1/64")
    b += struct.pack("<3f", 1, 300, 300) + struct.pack("<hh", 0, 0)
    b += struct.pack("<h", len(lines)) + b"".join(struct.pack("<4f", *l) for l in lines)
    return b + struct.pack("<hh", 0, 0)
open(sys.argv[1] + "/blank.pat", "wb").write(pattern([]))
open(sys.argv[1] + "/large.pat", "wb").write(pattern([], 250, 250))
open(sys.argv[1] + "/hostile.pat", "wb").write(pattern([(0, 0, 3.4e38, -3.4e38), (1440, 720, 4320, 720)]))
PATTERN
printf 'tool line\npress 1440 720\nrelease 1440 720\npress 4320 720\nrelease 4320 720\nkey escape\n' >"$work/draw.txt"
printf 'tool circle\npress 2880 1440\nmove 3600 2160\nrelease 3600 2160\n' >>"$work/draw.txt"
expect_status 0 "draw" "$cli" edit "$work/blank.pat" "$work/drawn.pat" --script "$work/draw.txt"

# SVG: rendered at 100 dots per inch, the line and circle land on their pixels.
expect_status 0 "export-svg" "$cli" export-svg "$work/drawn.pat" "$work/drawn.svg"
rsvg-convert --dpi-x 100 --dpi-y 100 "$work/drawn.svg" -o "$work/svg.png" 2>"$work/err" ||
    fail "rsvg-convert could not read the SVG: $(cat "$work/err")"

# Ink on a picture of the pattern at 100 dots per inch: the line and the
# circle on their pixels, nothing beyond them.
check_picture() {  # file, what
    "$py" - "$1" <<'CHECK' || fail "$2 is not at true size"
import sys
from PIL import Image
image = Image.open(sys.argv[1]).convert("RGBA")
def ink(x, y):
    r, g, b, a = image.getpixel((x, y))
    return a > 64 and r + g + b < 400
problems = []
if image.size != (400, 200): problems.append(f"size {image.size}")
if not all(ink(x, 50) for x in range(101, 300)): problems.append("line not along y 0.5 in from x 1 to 3 in")
if ink(95, 50) or ink(305, 50): problems.append("line longer than 2 in")
for x, y in ((225, 100), (250, 125), (225, 150), (200, 125)):
    if not ink(x, y): problems.append(f"no circle at {x},{y}")
if ink(225, 125) or ink(215, 125): problems.append("circle filled or too large")
if problems: sys.exit("; ".join(problems))
CHECK
}
[ -s "$work/svg.png" ] && check_picture "$work/svg.png" "the SVG"

# PNG: its resolution gives the true size.
expect_status 0 "export-png" "$cli" export-png "$work/drawn.pat" "$work/drawn.png" --dpi 100
check_picture "$work/drawn.png" "the PNG"
expect_status 0 "export-png at 300 dpi" "$cli" export-png "$work/drawn.pat" "$work/fine.png"
"$py" -c '
import sys
from PIL import Image
image = Image.open(sys.argv[1])
dpi = image.info.get("dpi", (0, 0))
sys.exit(image.size != (1200, 600) or any(abs(d - 300) > 0.01 for d in dpi))' "$work/fine.png" ||
    fail "the PNG does not record 4 by 2 inches at 300 dpi"
expect_status 2 "png at 0 dpi" "$cli" export-png "$work/drawn.pat" "$work/never.png" --dpi 0
expect_status 1 "png too large" "$cli" export-png "$work/large.pat" "$work/never.png" --dpi 4800
grep -q 'fewer dots per inch' "$work/err" || fail "too large a PNG not explained: $(cat "$work/err")"
[ ! -e "$work/never.png" ] || fail "a refused PNG was written"

# PDF: one page the pattern's size.
expect_status 0 "export-pdf" "$cli" export-pdf "$work/drawn.pat" "$work/drawn.pdf"
pdfinfo "$work/drawn.pdf" | grep -q '^Pages: *1$' || fail "the PDF has not one page"
pdfinfo "$work/drawn.pdf" | grep -q '^Page size: *288 x 144 pts' || fail "the PDF page is not 4 by 2 inches"
expect_status 1 "pdf too large" "$cli" export-pdf "$work/large.pat" "$work/never.pdf"
grep -q '200 inches' "$work/err" || fail "too large a PDF not explained: $(cat "$work/err")"
[ ! -e "$work/never.pdf" ] || fail "a refused PDF was written"
pdftoppm -r 100 -png -singlefile "$work/drawn.pdf" "$work/pdf" && check_picture "$work/pdf.png" "the PDF"

# DXF: in either unit, as declared by $INSUNITS; y runs up from the bottom edge.
for units in in mm; do
    expect_status 0 "export-dxf $units" "$cli" export-dxf "$work/drawn.pat" "$work/drawn-$units.dxf" --units "$units"
    "$py" - "$work/drawn-$units.dxf" "$units" <<'CHECK' || fail "the DXF in $units is not at true size"
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
k = 25.4 if sys.argv[2] == "mm" else 1.0
close = lambda a, b: all(abs(p - q * k) < 1e-6 for p, q in zip(a, b))
problems = []
if doc.units != (4 if k != 1 else 1): problems.append(f"$INSUNITS {doc.units}")
entities = list(doc.modelspace())
lines = [e for e in entities if e.dxftype() == "LINE"]
circles = [e for e in entities if e.dxftype() == "CIRCLE"]
if len(lines) != 1 or not close(lines[0].dxf.start, (1, 1.5, 0)) or not close(lines[0].dxf.end, (3, 1.5, 0)):
    problems.append(f"lines {[(e.dxf.start, e.dxf.end) for e in lines]}")
if len(circles) != 1 or not close(circles[0].dxf.center, (2.25, 0.75, 0)) or abs(circles[0].dxf.radius - 0.25 * k) > 1e-6:
    problems.append(f"circles {[(e.dxf.center, e.dxf.radius) for e in circles]}")
auditor = doc.audit()
if auditor.has_errors: problems.append(f"audit: {auditor.errors}")
if problems: sys.exit("; ".join(problems))
CHECK
done
expect_status 2 "dxf in cm" "$cli" export-dxf "$work/drawn.pat" "$work/never.dxf" --units cm
[ ! -e "$work/never.dxf" ] || fail "a refused unit wrote a file"

# Coordinates far beyond any page are written as numbers the readers take.
expect_status 0 "svg of a hostile pattern" "$cli" export-svg "$work/hostile.pat" "$work/hostile.svg"
rsvg-convert "$work/hostile.svg" -o "$work/hostile.png" 2>/dev/null || fail "the hostile SVG does not read"
expect_status 0 "dxf of a hostile pattern" "$cli" export-dxf "$work/hostile.pat" "$work/hostile.dxf"
"$py" -c 'import ezdxf, sys; sys.exit(len(ezdxf.readfile(sys.argv[1]).modelspace()) != 2)' "$work/hostile.dxf" ||
    fail "the hostile DXF does not read as two lines"

[ "$failures" -eq 0 ] && echo "all export checks passed"
exit $((failures > 0))
