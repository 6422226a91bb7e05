#!/bin/sh
# Installs what the build needs on Debian 12, as root. "native" is enough for
# the Linux build and its tests (git for those of libraries in a repository);
# "gui" adds the Windows cross compiler, Wine, Xvfb and the screenshot tools;
# "package" adds the packaging tools (NSIS, zip, dpkg-dev, lintian, groff)
# and zsh, whose completion the package check runs;
# "all" adds clang for the fuzzers too.
set -e
want="cmake make g++ googletest python3 git"
gui="g++-mingw-w64-x86-64-posix wine64 fonts-wine xvfb xauth x11-apps imagemagick"
package="nsis zip unzip dpkg-dev lintian groff-base zsh"
case "$1" in
    gui) want="$want $gui" ;;
    package) want="$want $gui $package" ;;
    all) want="$want $gui $package clang libclang-rt-14-dev" ;;
esac
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
