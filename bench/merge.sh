#!/bin/bash
# Times vek merge on three libraries of N parts against vek verify of one of
# them and git merge-file on the same three files: each side changes 200
# parts of the base (different parts, so the merge is clean). Medians of
# REPEATS alternating runs, with peak memory.
# Usage: bench/merge.sh [--tmpfs] [N] [REPEATS] (N default 20000, REPEATS 5;
# VEK_BENCH_KEEP=1 keeps the three libraries, for a profiler)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
base=/var/tmp
if [ "$1" = "--tmpfs" ]; then base=/dev/shm; shift; fi
n=${1:-20000}
repeats=${2:-5}
build="$root/build/native"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target vek genParts >/dev/null
vek="$build/bin/vek"
work=$(mktemp -d "$base/vekmerge.XXXXXX")
[ -n "$VEK_BENCH_KEEP" ] || trap 'rm -rf "$work"' EXIT

"$build/bin/genParts" symbol "$n" "$work/src" 2026 300 >/dev/null
(cd "$work/src" && "$vek" compress -q parts.lst ../base.slb)
# side NAME OFFSET: 200 parts, every (N / 200)th from OFFSET, one line changed.
side() {
    cp -r "$work/src" "$work/$1"
    local step=$((n / 200))
    cut -f1 "$work/$1/parts.lst" | awk -v s="$step" -v o="$2" '(NR - 1) % s == o' | head -200 |
        while read -r f; do sed -i "3s/\$/ changed by $1/" "$work/$1/$(echo "$f" | tr -d ' ')"; done
    (cd "$work/$1" && "$vek" compress -q parts.lst "../$1.slb")
}
side ours 0
side theirs $((n / 400))
echo "parts: $n, library bytes: $(stat -c %s "$work/base.slb"), folder: $base, medians of $repeats"

t=0; m=0
run1() {
    eval "$1"
    local out
    out=$( { /usr/bin/time -f "%e %M" sh -c "exec $2" >/dev/null; } 2>&1 | tail -1)
    t=${out% *}; m=${out#* }
}
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
time3() {
    local ts=() ms=()
    for _ in $(seq "$repeats"); do run1 "$1" "$2"; ts+=("$t"); ms+=("$m"); done
    printf "%-26s %9.3f %10d\n" "$3" "$(median "${ts[@]}")" "$(median "${ms[@]}")"
}
cd "$work"
printf "%-26s %9s %10s\n" job "time (s)" "peak KB"
time3 "" "'$vek' verify -q base.slb" "vek verify (one library)"
time3 "cp ours.slb o.slb" "'$vek' merge -q base.slb o.slb theirs.slb" "vek merge"
# git merge-file holds about 16 bytes per byte of the three: past 50,000
# parts it takes minutes and gigabytes, and is left out.
if [ "$n" -le 50000 ]; then
    time3 "cp ours.slb g.slb" "git merge-file -q g.slb base.slb theirs.slb" "git merge-file"
fi
"$vek" verify -q o.slb && echo "vek merge: verify finds the result clean"
"$vek" diff -q o.slb ours.slb || echo "vek merge: $("$vek" diff o.slb ours.slb | wc -l) parts differ from ours (theirs' 200)"
