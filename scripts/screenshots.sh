#!/bin/sh
# Takes the README's pictures of the Windows programs (docs/*.png) under
# Wine and Xvfb, each on a Wine desktop of its own size, in a workspace with
# the sample libraries.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/install-deps.sh" gui
cmake -S "$root" -B "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win64" -j2 --target vekwin vlistDemo winmsg vekdrive >/dev/null
export WINEPREFIX="$root/build/win64/wineprefix" WINEDEBUG=-all
sh "$root/scripts/wine-prefix.sh"
# A folder the captions show as C:\Parts.
work="$WINEPREFIX/drive_c/Parts"
rm -rf "$work" && mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
cp "$root"/samples/parts.* "$work/"
cd "$work"
bin="$root/build/win64/bin"
wine=/usr/lib/wine/wine64

# shot NAME SIZE PROGRAM-AND-ARGUMENTS [DRIVER-AND-ARGUMENTS]: the driver
# runs on the same Wine desktop, where it finds the program's windows.
shot() {
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
        $wine explorer /desktop=vek,$2 $3 &
        sleep 5
        if [ -n \"$4\" ]; then $wine explorer /desktop=vek,$2 $4; fi
        sleep 3
        xwd -root -silent | convert xwd:- -crop $2+0+0 +repage '$root/docs/$1.png'
        /usr/lib/wine/wineserver -k"
    echo "docs/$1.png"
}

program="'$bin/vekwin.exe' -i vek.ini"
shot vekwin 760x470 "$program parts.slb"
shot browse 730x470 "$program" "'$bin/vekdrive.exe' browse parts.slb R18 5 +7 10"
# Edit, with an "editor" that saves a change at once: the window's question.
drive=$(echo "Z:$bin/vekdrive.exe" | tr / '\\')
printf '[Library Expander/Compressor LIBRARY]\r\neditor=%s save\r\n' "$drive" > edit.ini
shot browse-edit 730x470 "'$bin/vekwin.exe' -i 'C:\Parts\edit.ini'" "'$bin/vekdrive.exe' browse parts.slb R18 edit"
shot dlg-expand 560x420 "$program" "'$bin/winmsg.exe' VEKWnd 0x111 4098"
shot dlg-compress 560x420 "$program" "'$bin/winmsg.exe' VEKWnd 0x111 4099"
shot dlg-both 560x420 "$program" "'$bin/winmsg.exe' VEKWnd 0x111 4097"
shot dlg-about 560x420 "$program" "'$bin/winmsg.exe' VEKWnd 0x111 5889"
shot vlist 360x300 "'$bin/vlistDemo.exe'"
