# Sourced by the Wine benchmarks: builds the native tools and the Windows
# TARGETS given in $winTargets, and sets up the Wine prefix of the test
# command (made once; its X11 driver leaves windows unmanaged, so that no
# window waits for a window manager). Sets native, win and wine.
native="$root/build/native"
win="$root/build/win64"
cmake -S "$root" -B "$native" >/dev/null
cmake --build "$native" -j2 --target genParts vek >/dev/null
cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
# shellcheck disable=SC2086
cmake --build "$win" -j2 --target $winTargets >/dev/null
export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all
wine=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    $wine wineboot -i >/dev/null 2>&1 || true
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
fi
