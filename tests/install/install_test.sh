#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs:
# both programs, a valid desktop entry, the pattern file type known by its
# name and by its first bytes, the icon at every size, and the guide; then
# makes the .deb and checks it carries the same.
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "install"; }
for program in tessary tessary-cli; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program missing"
done
"$prefix/bin/tessary-cli" info "$source/examples/rose.pat" >/dev/null || fail "the installed tessary-cli does not run"

entry=$prefix/share/applications/tessary.desktop
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop entry invalid"
grep -q '^MimeType=application/x-tessary-pattern;' "$entry" || fail "the entry does not open patterns"

mime=$prefix/share/mime
grep -q 'type="application/x-tessary-pattern"' "$mime/packages/tessary.xml" || fail "no pattern type"
update-mime-database "$mime" 2>/dev/null
grep -q '^[0-9]*:application/x-tessary-pattern:\*\.pat$' "$mime/globs2" || fail "*.pat is not the pattern type"
# The magic database names the type and holds the bytes a pattern starts with.
grep -aq 'application/x-tessary-pattern' "$mime/magic" || fail "no magic for the pattern type"
grep -aq "$(printf '\x07')" "$mime/magic" && grep -aq 'Tessary' "$mime/magic" || fail "the magic misses the header"

for size in 16 22 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/tessary.png
    [ -s "$icon" ] || fail "no ${size}px icon"
    /usr/bin/python3 -c "import sys; from PIL import Image; im = Image.open(sys.argv[1]); sys.exit(im.size != ($size, $size))" "$icon" ||
        fail "the ${size}px icon has the wrong size"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/tessary.svg" ] || fail "no scalable icon"
[ -s "$prefix/share/doc/tessary/guide/index.html" ] || fail "no guide"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb made"
dpkg-deb -c "$deb" >"$work/contents"
for file in ./usr/bin/tessary ./usr/bin/tessary-cli ./usr/share/applications/tessary.desktop \
    ./usr/share/mime/packages/tessary.xml ./usr/share/icons/hicolor/48x48/apps/tessary.png; do
    grep -q " $file\$" "$work/contents" || fail "the package lacks $file"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6' || fail "the package does not depend on Qt"
echo "installed and packaged: $(basename "$deb")"
