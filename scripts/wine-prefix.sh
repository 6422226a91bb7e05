#!/bin/sh
# Makes the Wine prefix WINEPREFIX once: Wine's set-up, windows left
# unmanaged (without a window manager, hiding a managed window waits 2 s for
# one to answer, and a managed window gets no caption from Wine), and Wine's
# own TrueType fonts in its Fonts folder. Wine finds TrueType fonts through
# fontconfig and in C:\windows\Fonts only; Debian's fonts-wine puts them in
# /usr/share/wine/fonts, where Wine looks for its registered bitmap fonts
# alone. Without Marlett the caption buttons are drawn as the letters "0 1 r".
set -e
: "${WINEPREFIX:?}"
export WINEDEBUG=-all
WINE=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
fi
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf "$fonts/"
fi
