#!/bin/sh
# Builds Release for Linux and for Windows and writes into build/packages/:
#   vek-VERSION-win64.zip        vekwin.exe, vek.exe, README, licence, samples
#   vek-VERSION-win64-setup.exe  the installer (silent with /S)
#   vek_VERSION_amd64.deb        /usr/bin/vek, its man page and documents
# VERSION is the project's, from CMakeLists.txt. Installs what it needs.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/scripts/install-deps.sh" package
version=$(sed -n 's/^project(vek VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
out="$root/build/packages"
stage="$out/stage"
rm -rf "$out"
mkdir -p "$stage"

# Debian's hardening: fortified functions, read-only relocations bound now.
cmake -S "$root" -B "$root/build/release-native" -DCMAKE_BUILD_TYPE=Release -DVEK_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now" >/dev/null
cmake --build "$root/build/release-native" -j2 --target vek >/dev/null
cmake -S "$root" -B "$root/build/release-win64" -DCMAKE_BUILD_TYPE=Release -DVEK_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/release-win64" -j2 --target vek vekwin >/dev/null

# Windows: the same files for the ZIP and the installer, with CRLF texts.
win="$stage/vek-$version-win64"
mkdir -p "$win/samples"
for exe in vek vekwin; do
    x86_64-w64-mingw32-strip -o "$win/$exe.exe" "$root/build/release-win64/bin/$exe.exe"
done
sed 's/$/\r/' "$root/README.md" >"$win/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$win/LICENSE.txt"
cp "$root/samples/parts.slb" "$root/samples/parts.plb" "$root/samples/parts.flb" "$win/samples/"
(cd "$stage" && zip -qr9X "$out/vek-$version-win64.zip" "vek-$version-win64")
makensis -V2 -DAMD64 -DVERSION="$version" -DSTAGE="$win" -DOUTFILE="$out/vek-$version-win64-setup.exe" \
    "$root/packaging/vek.nsi"

# Debian: the tree, its computed dependencies, the package, lintian's word.
deb="$stage/deb"
mkdir -p "$deb/DEBIAN" "$deb/usr/bin" "$deb/usr/share/man/man1" "$deb/usr/share/doc/vek" \
    "$deb/usr/share/bash-completion/completions" "$deb/usr/share/zsh/vendor-completions"
install -m 0644 "$root/packaging/completion/vek.bash" "$deb/usr/share/bash-completion/completions/vek"
install -m 0644 "$root/packaging/completion/_vek" "$deb/usr/share/zsh/vendor-completions/_vek"
strip --remove-section=.comment --remove-section=.note -o "$deb/usr/bin/vek" "$root/build/release-native/bin/vek"
chmod 0755 "$deb/usr/bin/vek"
sed "1s/\"vek [0-9.]*\"/\"vek $version\"/" "$root/docs/vek.1" | gzip -9n >"$deb/usr/share/man/man1/vek.1.gz"
install -m 0644 "$root/packaging/debian/copyright" "$deb/usr/share/doc/vek/copyright"
sed "s/@VERSION@/$version/" "$root/packaging/debian/changelog" | gzip -9n >"$deb/usr/share/doc/vek/changelog.gz"
mkdir -p "$stage/shlibs/debian"
printf 'Source: vek\n\nPackage: vek\nArchitecture: amd64\n' >"$stage/shlibs/debian/control"
depends=$(cd "$stage/shlibs" && dpkg-shlibdeps -O "$deb/usr/bin/vek" | sed -n 's/^shlibs:Depends=//p')
size=$(du -sk --exclude=DEBIAN "$deb" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@DEPENDS@/$depends/" -e "s/@SIZE@/$size/" \
    "$root/packaging/debian/control" >"$deb/DEBIAN/control"
find "$deb" -type d -exec chmod 0755 {} +
(cd "$deb" && find usr -type f -exec md5sum {} + | sort -k2) >"$deb/DEBIAN/md5sums"
dpkg-deb --root-owner-group -Zxz --build "$deb" "$out/vek_${version}_amd64.deb" >/dev/null
rm -rf "$stage"

echo "lintian:"
lintian --pedantic --tag-display-limit 0 "$out/vek_${version}_amd64.deb" || true
ls -l "$out"
