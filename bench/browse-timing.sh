#!/bin/bash
# Times the Library window under Wine on libraries of generated symbol parts
# (default 20000 and 200000): open to first page, jump to the last page, find
# a name near the end, the checksum's verdict, and the program's peak working
# set. Usage: bench/browse-timing.sh [N ...]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
winTargets="vekwin browseTiming"
. "$root/bench/wine-env.sh"
work=$(mktemp -d /var/tmp/vekbrowse.XXXXXX)
trap 'rm -rf "$work"; /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
winPath() { echo "Z:$1" | tr / '\\'; }
for n in "${@:-20000 200000}"; do
    for count in $n; do
        rm -rf "$work/$count" && mkdir -p "$work/$count"
        "$native/bin/genParts" symbol "$count" "$work/$count" 2026 >/dev/null
        (cd "$work/$count" && "$native/bin/vek" compress -q parts.lst lib.slb >/dev/null && find . -name '*.sym' -delete)
        name=$("$native/bin/vek" list "$work/$count/lib.slb" | tail -3 | head -1 | cut -d' ' -f1)
        echo "parts: $count, library $(du -m "$work/$count/lib.slb" | cut -f1) MB, find $name"
        /usr/lib/wine/wineserver -k 2>/dev/null || true
        xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$win/bin/browseTiming.exe" \
            "$(winPath "$win/bin/vekwin.exe")" "$(winPath "$work/$count")" "$name" | tr -d '\r'
        /usr/lib/wine/wineserver -w
    done
done
