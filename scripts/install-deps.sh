#!/bin/sh
# Installs what the build needs on Debian 12, as root. "native" is enough for
# the Linux build; "all" adds the Windows cross compiler, Wine, and clang
# for the fuzzers.
set -e
want="cmake make g++ googletest"
if [ "$1" = "all" ]; then
    want="$want g++-mingw-w64-x86-64-posix wine64 xvfb xauth clang libclang-rt-14-dev"
fi
missing=""
for p in $want; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
