#!/bin/bash
# Times vek compress, expand and both against tar and cat on a generated set
# of parts, and reports peak memory. Usage: bench/run.sh [N] [REPEATS]
# (N parts, default 20000; the best of REPEATS runs is kept, default 3).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
n=${1:-20000}
repeats=${2:-3}
build="$root/build/native"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target vek genParts >/dev/null
vek="$build/bin/vek"
work=$(mktemp -d /var/tmp/vekbench.XXXXXX)
trap 'rm -rf "$work"' EXIT

"$build/bin/genParts" symbol "$n" "$work/src" 2026 300 >/dev/null
cd "$work/src"
echo "parts: $n, component bytes: $(cat $(head -1 parts.lst) >/dev/null; du -sb --exclude=parts.lst . | cut -f1)"

# best wall time (s) and its peak RSS (KB) of a command run in a fresh copy
# of a folder made by the prepare step
best_time=0; best_rss=0
measure() {
    local prepare="$1"; shift
    best_time=999999; best_rss=0
    for _ in $(seq "$repeats"); do
        eval "$prepare"
        sync  # start each run without the previous run's dirty pages
        local out
        out=$( { /usr/bin/time -f "%e %M" "$@" >/dev/null; } 2>&1 | tail -1)
        local t=${out% *} m=${out#* }
        if awk "BEGIN{exit !($t < $best_time)}"; then best_time=$t; best_rss=$m; fi
    done
}
report() { printf "%-16s %8.2f s  %8d KB peak\n" "$1" "$best_time" "$best_rss"; }
ratio() { awk "BEGIN{ if ($2 > 0) printf \"%-32s %6.2f\n\", \"$1\", $3 / $2; else print \"$1 n/a\" }"; }

measure "rm -f ../lib.slb" "$vek" compress parts.lst ../lib.slb; report "vek compress"; vc=$best_time
measure "rm -f ../parts.tar" tar cf ../parts.tar -T parts.lst; report "tar cf"; tc=$best_time
measure "rm -f ../all.txt" sh -c 'xargs cat < parts.lst > ../all.txt'; report "cat (floor)"; cc=$best_time

fresh() { echo "rm -rf '$work/$1' && mkdir '$work/$1' && cd '$work/$1' && cp '$work/lib.slb' ."; }
measure "$(fresh x)" "$vek" expand lib.slb; report "vek expand"; ve=$best_time
measure "rm -rf '$work/t' && mkdir '$work/t' && cd '$work/t'" tar xf ../parts.tar; report "tar xf"; tx=$best_time
measure "$(fresh b)" "$vek" both lib.slb; report "vek both"; vb=$best_time
cd "$work"
cmp "$work/lib.slb" "$work/b/lib.slb" && echo "both rebuilt the library byte for byte"

# Part-level commands on the same library, next to compress.
name=$("$vek" list "$work/lib.slb" | sed -n "$((n / 2))p" | cut -d' ' -f1 | cut -d, -f1 | cut -d';' -f1 | cut -d: -f1)
first=$(head -1 "$work/src/parts.lst" | cut -f1)
measure "cp '$work/lib.slb' '$work/p.slb'" "$vek" print "$work/p.slb" "$name"; report "vek print"
measure "cp '$work/lib.slb' '$work/p.slb'" "$vek" add "$work/p.slb" "$work/src/$first"; report "vek add (one)"
measure "cp '$work/lib.slb' '$work/p.slb'" "$vek" delete "$work/p.slb" "$name"; report "vek delete (one)"
measure "cp '$work/lib.slb' '$work/p.slb'" "$vek" diff "$work/lib.slb" "$work/b/lib.slb"; report "vek diff"

echo "ratios:"
ratio "vek compress / tar cf" "$tc" "$vc"
ratio "vek expand / tar xf" "$tx" "$ve"
ratio "vek compress / cat" "$cc" "$vc"
