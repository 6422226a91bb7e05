#!/bin/sh
# The main job: builds vek and, for each sample library, expands it into a
# fresh folder, shows the log, compresses the written list back and shows
# that the rebuilt library is identical to the original.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/install-deps.sh" native
cmake -S "$root" -B "$root/build/native" >/dev/null
cmake --build "$root/build/native" -j2 --target vek >/dev/null
vek="$root/build/native/bin/vek"
work=$(mktemp -d)
for lib in parts.slb parts.plb parts.flb; do
    mkdir "$work/${lib#parts.}"
    cd "$work/${lib#parts.}"
    cp "$root/samples/$lib" .
    echo "=== vek expand $lib (in $PWD)"
    "$vek" expand "$lib"
    echo "=== vek compress parts.lst rebuilt.${lib#parts.}"
    "$vek" compress parts.lst "rebuilt.${lib#parts.}" | tail -4
    if cmp "$lib" "rebuilt.${lib#parts.}"; then
        echo "=== rebuilt $lib is identical ($(wc -c < "$lib") bytes)"
    else
        echo "=== rebuilt $lib differs"
        exit 1
    fi
done
cd "$root"
rm -rf "$work"

echo "=== the Windows program"
sh "$root/scripts/run-vekwin.sh"
