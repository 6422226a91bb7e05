#!/bin/bash
# Times compress and expand of N generated symbol parts (default 3000) under
# Wine three ways: vek.exe writing its log to a file, vek.exe on a console
# (a terminal), and the program (vekwin.exe) driven through its dialogs, from
# OK to the log's DONE line. Best of REPEATS runs (default 3); the program's
# target is 1.25 x the tool-to-file time (which includes the tool's start).
# Usage: bench/wine-timing.sh [N] [REPEATS]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
n=${1:-3000}
repeats=${2:-3}
winTargets="vek vekwin vekwinTiming"
. "$root/bench/wine-env.sh"
work=$(mktemp -d /var/tmp/vekwine.XXXXXX)
trap 'rm -rf "$work"; /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
"$native/bin/genParts" symbol "$n" "$work/src" 2026 300 >/dev/null
winPath() { echo "Z:$1" | tr / '\\'; }

# best wall time of a command run after a prepare step
best=0
measure() {
    local prepare="$1"; shift
    best=999999
    for _ in $(seq "$repeats"); do
        eval "$prepare"
        local start end
        start=$(date +%s.%N)
        "$@"
        end=$(date +%s.%N)
        best=$(awk "BEGIN{t = $end - $start; print (t < $best) ? t : $best}")
    done
}
toFile() { "$wine" "$win/bin/vek.exe" "$@" >"$work/log.txt"; }
onConsole() { script -qec "$wine $win/bin/vek.exe $*" /dev/null >/dev/null; }
freshCopy() { echo "rm -rf '$work/x' && mkdir '$work/x' && cp '$work/src/lib.slb' '$work/x/' && cd '$work/x'"; }

# The program first, with a Wine server of its own that knows the display.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w
cd "$work"
program=$(xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$win/bin/vekwinTiming.exe" \
    "$(winPath "$win/bin/vekwin.exe")" "$(winPath "$work/src")" "$(winPath "$work/x")" "$repeats" | tr -d '\r')
programCompress=$(echo "$program" | awk '/program compress/ {print $3}')
programExpand=$(echo "$program" | awk '/program expand/ {print $3}')

/usr/lib/wine/wineserver -w

cd "$work/src"
measure "rm -f lib.slb" toFile compress parts.lst lib.slb; fileCompress=$best
measure "rm -f lib.slb" onConsole compress parts.lst lib.slb; consoleCompress=$best
measure "$(freshCopy)" toFile expand lib.slb; fileExpand=$best
measure "$(freshCopy)" onConsole expand lib.slb; consoleExpand=$best
echo "parts: $n (best of $repeats, seconds, Wine)"
printf "%-10s %12s %12s %12s %10s %16s\n" job program console to-file target program/to-file
row() {
    printf "%-10s %12.2f %12.2f %12.2f %10.2f %16.2f\n" "$1" "$2" "$3" "$4" "$(awk "BEGIN{print 1.25 * $4}")" \
        "$(awk "BEGIN{print $2 / $4}")"
}
row expand "$programExpand" "$consoleExpand" "$fileExpand"
row compress "$programCompress" "$consoleCompress" "$fileCompress"
