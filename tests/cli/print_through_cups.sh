#!/usr/bin/env bash
# tessary-cli print --printer through the system's print service, to a
# cups-pdf queue. Skipped (77) only where no such queue can be set up: not
# root, or the packages are missing. As root with them installed, anything
# that stops the print is a failure.
set -u
cli=$1
pattern=$2
queue=TessaryPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
skip() { echo "SKIP: $*"; exit 77; }
broken() { echo "FAIL: $*"; exit 1; }

command -v lpstat >/dev/null && command -v lpadmin >/dev/null || skip "no print service here"
can_set_up=0
[ "$(id -u)" -eq 0 ] && command -v cupsd >/dev/null && [ -f "$ppd" ] && can_set_up=1
running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }

# The scheduler answers some time after it starts.
if ! running; then
    [ "$can_set_up" -eq 1 ] || skip "the print service is not running and cannot be started here"
    cupsd || broken "the print service did not start"
    for _ in $(seq 1 150); do running && break; sleep 0.2; done
    running || broken "the print service started but did not answer within 30 seconds"
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    [ "$can_set_up" -eq 1 ] || skip "no PDF queue, and none can be added without root and cups-pdf"
    # Even a running scheduler may refuse a new queue for a moment.
    added=0
    for _ in $(seq 1 30); do
        lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>"${TMPDIR:-/tmp}/lpadmin.$$" && { added=1; break; }
        sleep 1
    done
    reason=$(cat "${TMPDIR:-/tmp}/lpadmin.$$" 2>/dev/null)
    rm -f "${TMPDIR:-/tmp}/lpadmin.$$"
    [ "$added" -eq 1 ] || broken "the PDF queue could not be added within 30 seconds: $reason"
fi
out=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$out"
before=$(ls "$out" 2>/dev/null | wc -l)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
"$cli" print "$pattern" --printer "$queue" --paper letter --orientation portrait || broken "print failed"
for _ in $(seq 1 100); do
    [ "$(ls "$out" | wc -l)" -gt "$before" ] && break
    sleep 0.2
done
newest=$(ls -t "$out"/*.pdf 2>/dev/null | head -n 1)
[ -n "$newest" ] && [ "$(ls "$out" | wc -l)" -gt "$before" ] || broken "the queue wrote no PDF"
# The queue may still be writing the file when it appears.
pages=""
for _ in $(seq 1 100); do
    pages=$(pdfinfo "$newest" 2>/dev/null | awk '/^Pages:/ {print $2}')
    [ "$pages" = 2 ] && break
    sleep 0.2
done
[ "$pages" = 2 ] || broken "the printed PDF has ${pages:-no} pages, expected 2"
echo "printed through the print service: $newest, $pages pages"
