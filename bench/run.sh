#!/bin/bash
# Times vek compress, expand and both against tar on a generated set of
# parts, and the part-level commands on the library made. Each vek run
# alternates with its tar run; the table gives medians, ratios and vek's
# peak memory; beside compress, the checksum's own time over the library's
# data section, the one serial step compress cannot leave out.
# Usage: bench/run.sh [--tmpfs] [--large] [N] [REPEATS]
# (--tmpfs: work in /dev/shm, so that disk write-back does not blur the
# figures; --large: parts of about 200 KB, default N 500; N parts, default
# 20000; REPEATS runs of each, default 7).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
base=/var/tmp
if [ "$1" = "--tmpfs" ]; then base=/dev/shm; shift; fi
lines=300; count=20000
if [ "$1" = "--large" ]; then lines=20000; count=500; shift; fi
n=${1:-$count}
repeats=${2:-7}
build="$root/build/native"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target vek genParts checksumTime >/dev/null
vek="$build/bin/vek"
work=$(mktemp -d "$base/vekbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$build/bin/genParts" symbol "$n" "$work/src" 2026 "$lines" >/dev/null
echo "parts: $n, component bytes: $(du -sb --exclude=parts.lst "$work/src" | cut -f1), folder: $base," \
    "medians of $repeats"

# One timed run of a shell command after its preparation: t (s), m (KB).
t=0; m=0
run1() {
    eval "$1"
    [ "$base" = /dev/shm ] || sync
    local out
    out=$( { /usr/bin/time -f "%e %M" sh -c "exec $2" >/dev/null; } 2>&1 | tail -1)
    t=${out% *}; m=${out#* }
}
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# pair PREP_VEK CMD_VEK PREP_OTHER CMD_OTHER: alternating runs; sets vt, vm, ot.
vt=0; vm=0; ot=0
pair() {
    local vs=() vms=() os=()
    for _ in $(seq "$repeats"); do
        run1 "$1" "$2"; vs+=("$t"); vms+=("$m")
        if [ -n "$4" ]; then run1 "$3" "$4"; os+=("$t"); fi
    done
    vt=$(median "${vs[@]}"); vm=$(median "${vms[@]}"); ot=$([ -n "$4" ] && median "${os[@]}" || echo 0)
}
row() { awk -v j="$1" -v v="$2" -v o="$3" -v m="$4" -v w="$5" \
    'BEGIN {printf "%-18s %9.3f %9.3f %8s %10d  %s\n", j, v, o, (o > 0 ? sprintf("%.2f", v / o) : "-"), m, w}'; }

cd "$work/src"
printf "%-18s %9s %9s %8s %10s  %s\n" job "vek (s)" "tar (s)" ratio "peak KB" "against"
pair "rm -f ../lib.slb" "'$vek' compress parts.lst ../lib.slb" "rm -f ../parts.tar" "tar cf ../parts.tar -T parts.lst"
row compress "$vt" "$ot" "$vm" "tar cf"; tc=$ot
sum=$("$build/bin/checksumTime" "$work/lib.slb" "$repeats" | cut -d' ' -f1)
row "compress" "$vt" "$sum" "$vm" "checksum alone"
fresh() { echo "rm -rf '$work/$1' && mkdir '$work/$1' && cd '$work/$1' && cp '$work/lib.slb' ."; }
pair "$(fresh x)" "'$vek' expand lib.slb" "rm -rf '$work/t' && mkdir '$work/t' && cd '$work/t'" "tar xf ../parts.tar"
row expand "$vt" "$ot" "$vm" "tar xf"; tx=$ot
pair "$(fresh b)" "'$vek' both lib.slb" "" ""
row both "$vt" "$(awk "BEGIN {print $tx + $tc}")" "$vm" "tar xf + tar cf"
cmp "$work/lib.slb" "$work/b/lib.slb" || echo "both did NOT rebuild the library byte for byte"

name=$("$vek" list "$work/lib.slb" | sed -n "$((n / 2))p" | cut -d' ' -f1 | cut -d, -f1 | cut -d';' -f1 | cut -d: -f1)
first=$(head -1 "$work/src/parts.lst" | cut -f1)
copy="cp '$work/lib.slb' '$work/p.slb'"
pair "$copy" "'$vek' print '$work/p.slb' '$name'" "" ""; row "print (one)" "$vt" 0 "$vm" ""
pair "$copy" "'$vek' add '$work/p.slb' '$work/src/$first'" "" ""; row "add (one)" "$vt" 0 "$vm" ""
pair "$copy" "'$vek' delete '$work/p.slb' '$name'" "" ""; row "delete (one)" "$vt" 0 "$vm" ""
pair "" "'$vek' diff '$work/lib.slb' '$work/b/lib.slb'" "" ""; row diff "$vt" 0 "$vm" ""
