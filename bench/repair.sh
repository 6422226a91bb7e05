#!/bin/bash
# Times vek repair of a library of N parts cut short inside its last part
# against vek verify of it and vek compress of the same parts from their
# files: repair is one pass, and should take no longer than the two. Medians
# of REPEATS runs, with peak memory.
# Usage: bench/repair.sh [--tmpfs] [N] [REPEATS] (N default 200000, REPEATS 3)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
base=/var/tmp
if [ "$1" = "--tmpfs" ]; then base=/dev/shm; shift; fi
n=${1:-200000}
repeats=${2:-3}
build="$root/build/native"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target vek genParts >/dev/null
vek="$build/bin/vek"
work=$(mktemp -d "$base/vekrepair.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$build/bin/genParts" symbol "$n" "$work/src" 2026 300 >/dev/null
(cd "$work/src" && "$vek" compress -q parts.lst ../whole.slb)
size=$(stat -c %s "$work/whole.slb")
head -c $((size - 5)) "$work/whole.slb" > "$work/cut.slb"
echo "parts: $n, library bytes: $size, folder: $base, medians of $repeats"

t=0; m=0
run1() {
    /usr/bin/time -o "$work/time" -f "%e %M" sh -c "$1" >/dev/null 2>&1 || true
    local out
    out=$(tail -1 "$work/time")
    t=${out% *}; m=${out#* }
}
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
time3() {
    local ts=() ms=()
    for _ in $(seq "$repeats"); do rm -f "$work/out.slb"; run1 "$1"; ts+=("$t"); ms+=("$m"); done
    printf "%-30s %9.3f %10d\n" "$2" "$(median "${ts[@]}")" "$(median "${ms[@]}")"
}
cd "$work"
printf "%-30s %9s %10s\n" job "time (s)" "peak KB"
time3 "'$vek' verify -q cut.slb" "vek verify (cut library)"
time3 "cd src && '$vek' compress -q parts.lst ../out.slb" "vek compress (the part files)"
time3 "'$vek' repair -q -o out.slb cut.slb" "vek repair (cut library)"
"$vek" verify -q out.slb && echo "vek repair: verify finds the result clean"
