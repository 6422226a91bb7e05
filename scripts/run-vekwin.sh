#!/bin/sh
# Builds the Windows program and starts it under Wine in build/workspace,
# which holds one sample library of each kind, with parts.slb open in the
# Library window unless arguments say otherwise. With a display it runs
# until you quit it; without one it runs under Xvfb, a screenshot is saved
# to build/vekwin-screenshot.png, and the program is stopped.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/install-deps.sh" gui
cmake -S "$root" -B "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win64" -j2 --target vekwin >/dev/null
export WINEPREFIX="$root/build/win64/wineprefix" WINEDEBUG=-all
sh "$root/scripts/wine-prefix.sh"
exe="$root/build/win64/bin/vekwin.exe"
# A workspace with one sample library of each kind; the program starts there.
workspace="$root/build/workspace"
mkdir -p "$workspace"
cp -n "$root"/samples/parts.* "$workspace/" 2>/dev/null || true
cd "$workspace"
[ $# -gt 0 ] || set -- parts.slb
if [ -n "$DISPLAY" ] && [ -z "$CI" ]; then
    exec /usr/lib/wine/wine64 "$exe" "$@"
fi
shot="$root/build/vekwin-screenshot.png"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
    /usr/lib/wine/wine64 explorer /desktop=vek,760x470 '$exe' $* &
    sleep 8
    xwd -root -silent | convert xwd:- -crop 760x470+0+0 '$shot'
    /usr/lib/wine/wineserver -k
" || true
echo "=== vekwin.exe ran under Xvfb; screenshot: $shot"
