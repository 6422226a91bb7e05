#!/bin/bash
# Times vek grep of a fixed string and of a pattern over a library of N
# parts against grep -r over the same parts expanded into a folder, and vek
# rename of one part. Medians of REPEATS runs.
# Usage: bench/grep.sh [--tmpfs] [N] [REPEATS] (N default 20000, REPEATS 3)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
base=/var/tmp
if [ "$1" = "--tmpfs" ]; then base=/dev/shm; shift; fi
n=${1:-20000}
repeats=${2:-3}
build="$root/build/native"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target vek genParts >/dev/null
vek="$build/bin/vek"
work=$(mktemp -d "$base/vekgrep.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$build/bin/genParts" symbol "$n" "$work/src" 2026 >/dev/null
(cd "$work/src" && "$vek" compress -q parts.lst ../lib.slb && rm -f parts.lst)
echo "parts: $n, library bytes: $(stat -c %s "$work/lib.slb"), folder: $base, medians of $repeats"
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
time3() {
    local ts=()
    for _ in $(seq "$repeats"); do
        /usr/bin/time -o "$work/time" -f "%e" sh -c "$1" >/dev/null 2>&1 || true
        ts+=("$(tail -1 "$work/time")")
    done
    printf "%-36s %9.3f\n" "$2" "$(median "${ts[@]}")"
}
cd "$work"
printf "%-36s %9s\n" job "time (s)"
time3 "grep -r -F 'label 7' src" "grep -r -F (expanded folder)"
time3 "'$vek' grep -F 'label 7' lib.slb" "vek grep -F"
time3 "grep -r -E 'pin [0-9]+ -9' src" "grep -r -E (expanded folder)"
time3 "'$vek' grep -E 'pin [0-9]+ -9' lib.slb" "vek grep -E"
name=$("$vek" list --names lib.slb | sed -n "$((n / 2))p")
time3 "'$vek' rename -q lib.slb $name RENAMED && '$vek' rename -q lib.slb RENAMED $name" "vek rename (twice: there and back)"
