#!/bin/sh
# Runs a Windows program under Wine with a prefix kept inside the build
# folder, so test runs never touch the user's own Wine set-up.
# WINEPREFIX may be set by the caller; otherwise it is found beside the program.
set -e
if [ -z "$WINEPREFIX" ]; then
    dir=$(cd "$(dirname "$1")/.." && pwd)
    WINEPREFIX="$dir/wineprefix"
fi
export WINEPREFIX WINEDEBUG=-all
WINE=/usr/lib/wine/wine64
sh "$(dirname "$0")/wine-prefix.sh"
exec "$WINE" "$@"
