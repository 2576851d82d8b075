#!/usr/bin/env bash
# tessary-cli print --printer through the system's print service, to a
# cups-pdf queue. Skipped (77) where no such queue can be set up.
set -u
cli=$1
pattern=$2
queue=TessaryPDF
command -v lpstat >/dev/null && command -v lpadmin >/dev/null || { echo "no print service here"; exit 77; }
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
if ! lpstat -r >/dev/null 2>&1; then
    [ "$(id -u)" -eq 0 ] && command -v cupsd >/dev/null || { echo "the print service is not running"; exit 77; }
    cupsd
    for _ in $(seq 1 50); do lpstat -r >/dev/null 2>&1 && break; sleep 0.2; done
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    [ "$(id -u)" -eq 0 ] && [ -f "$ppd" ] || { echo "no PDF queue and none can be added"; exit 77; }
    lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || { echo "the PDF queue could not be added"; exit 77; }
fi
out=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$out"
before=$(ls "$out" 2>/dev/null | wc -l)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
"$cli" print "$pattern" --printer "$queue" --paper letter --orientation portrait || { echo "print failed"; exit 1; }
for _ in $(seq 1 100); do
    [ "$(ls "$out" | wc -l)" -gt "$before" ] && break
    sleep 0.2
done
newest=$(ls -t "$out"/*.pdf 2>/dev/null | head -n 1)
[ -n "$newest" ] && [ "$(ls "$out" | wc -l)" -gt "$before" ] || { echo "the queue wrote no PDF"; exit 1; }
# The queue may still be writing the file when it appears.
pages=""
for _ in $(seq 1 100); do
    pages=$(pdfinfo "$newest" 2>/dev/null | awk '/^Pages:/ {print $2}')
    [ "$pages" = 2 ] && break
    sleep 0.2
done
[ "$pages" = 2 ] || { echo "the printed PDF has ${pages:-no} pages, expected 2"; exit 1; }
echo "printed through the print service: $newest, $pages pages"
