#!/bin/sh
# Makes the packages with scripts/package.sh and checks them as a user would
# meet them: the ZIP's files, the .deb's files, metadata and program, the man
# page, and the installer's silent install and uninstall under Wine
# (WINEPREFIX and a display set by the caller).
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
sh "$root/scripts/package.sh" >/dev/null
version=$(sed -n 's/^project(vek VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
out="$root/build/packages"
fail() { echo "package check failed: $*"; exit 1; }
has() { echo "$1" | grep -q "$2" || fail "$3: no $2"; }

zip=$(unzip -Z1 "$out/vek-$version-win64.zip")
for f in vekwin.exe vek.exe README.txt LICENSE.txt samples/parts.slb samples/parts.plb samples/parts.flb; do
    has "$zip" "^vek-$version-win64/$f\$" "the ZIP"
done

deb="$out/vek_${version}_amd64.deb"
files=$(dpkg-deb -c "$deb")
for f in usr/bin/vek usr/share/man/man1/vek.1.gz usr/share/doc/vek/copyright usr/share/doc/vek/changelog.gz \
    usr/share/bash-completion/completions/vek usr/share/zsh/vendor-completions/_vek; do
    has "$files" " \./$f\$" "the .deb"
done
[ "$(dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ')" = "Package: vek Version: $version Architecture: amd64 " ] \
    || fail "the .deb's control fields"
has "$(dpkg-deb -f "$deb" Depends)" "libc6 (>= " "the .deb's Depends"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
[ "$("$tree/usr/bin/vek" --version)" = "vek $version (library release 6.3)" ] || fail "vek --version from the .deb"
zcat "$tree/usr/share/man/man1/vek.1.gz" | head -1 | grep -q "\"vek $version\"" || fail "the man page's version"
# The completion script, sourced in bash, completes a command from the .deb.
words=$(PATH="$tree/usr/bin:$PATH" bash -c '. "$1/usr/share/bash-completion/completions/vek"; complete -p vek;
    COMP_WORDS=(vek ex); COMP_CWORD=1; _vek; echo "${COMPREPLY[*]}"' sh "$tree")
has "$words" "complete -F _vek vek" "the completion script"
has "$words" "^expand extract\$" "the completion of 'vek ex'"
first=$(cd "$root/samples" && PATH="$tree/usr/bin:$PATH" bash -c '. "$1/usr/share/bash-completion/completions/vek";
    COMP_WORDS=(vek print parts.slb ""); COMP_CWORD=3; _vek; echo "${COMPREPLY[0]}"' sh "$tree")
[ -n "$first" ] && "$tree/usr/bin/vek" list "$root/samples/parts.slb" | grep -q "^$first[ ,;:]" \
    || fail "the completion of part names: '$first'"
# After -C DIR, the library and its part names are DIR's.
words=$(cd / && PATH="$tree/usr/bin:$PATH" bash -c '. "$1/usr/share/bash-completion/completions/vek";
    COMP_WORDS=(vek print -C "$2" parts.s); COMP_CWORD=4; _vek; echo "${COMPREPLY[*]}";
    COMP_WORDS=(vek print -C "$2" parts.slb "$3"); COMP_CWORD=5; _vek; echo "${COMPREPLY[*]}"' sh "$tree" "$root/samples" "$first")
has "$words" "^parts.slb\$" "the completion of a library after -C"
echo "$words" | tail -1 | grep -q -- "$first" || fail "the completion of part names after -C: $words"
# The zsh completion, run by zsh's own completion system: commands, options,
# part names, and the library and names of the folder -C gives.
if command -v zsh >/dev/null; then
    zshOffers() {
        (cd "$1" && PATH="$tree/usr/bin:$PATH" timeout 60 zsh -f "$root/tests/packaging/zshComplete.zsh" \
            "$tree/usr/share/zsh/vendor-completions" "$2" | tr '\n' ' ')
    }
    has "$(zshOffers / 'vek ex')" "^expand extract \$" "zsh's completion of 'vek ex'"
    has "$(zshOffers / 'vek list --n')" "^--names \$" "zsh's completion of 'vek list --n'"
    has "$(zshOffers "$root/samples" 'vek print parts.slb ')" "^AND10 .* $first " "zsh's completion of part names"
    has "$(zshOffers / "vek print -C $root/samples par")" "parts.slb" "zsh's completion of a library after -C"
    has "$(zshOffers / "vek print -C $root/samples parts.slb $first")" "^$first" "zsh's completion of names after -C"
fi
warnings=$(groff -man -ww -z "$root/docs/vek.1" 2>&1)
[ -z "$warnings" ] || fail "groff warns about vek.1: $warnings"
page=$(groff -man -Tascii -P-cbu "$root/docs/vek.1")
for word in compress expand both list verify extract print add delete diff merge cat repair rename grep git-merge git-setup --diff3 \
    --marker-size --local --in-place --keep-cut --dry-run --overwrite --keep --ako --names DAMAGE -k -r -q -C --json --no-progress \
    --force --wait --output-dir -u --help --version "EXIT STATUS" GUARANTEES EXAMPLES 130 143; do
    echo "$page" | grep -q -- "$word" || fail "the man page does not mention $word"
done

wine=/usr/lib/wine/wine64
drive="$WINEPREFIX/drive_c"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\vek'
"$wine" "$out/vek-$version-win64-setup.exe" /S
/usr/lib/wine/wineserver -w
for f in vekwin.exe vek.exe uninstall.exe samples/parts.slb; do
    [ -f "$drive/Program Files/vek/$f" ] || fail "the installer did not install $f"
done
[ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/vek/Library Expander-Compressor.lnk" ] \
    || fail "no Start-menu shortcut"
entry=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName.*vek Library Expander/Compressor" "DisplayVersion.*$version" "Publisher.*the vek developers" \
    'UninstallString.*uninstall.exe'; do
    has "$entry" "$value" "the uninstall key"
done
# The library types: Open starts the program on the library, Expand here
# (run as Explorer would, %1 the library) unpacks it beside itself.
value() { "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
[ "$(value 'HKLM\Software\Classes\.slb')" = vek.SymbolLibrary ] || fail "no .slb type"
[ "$(value 'HKLM\Software\Classes\.flb')" = vek.FootprintLibrary ] || fail "no .flb type"
[ "$(value 'HKLM\Software\Classes\vek.PackageLibrary\shell\open\command')" = '"C:\Program Files\vek\vekwin.exe" "%1"' ] \
    || fail "the Open verb"
verb=$(value 'HKLM\Software\Classes\vek.SymbolLibrary\shell\expand\command')
mkdir -p "$drive/vek types"
cp "$root/samples/parts.slb" "$drive/vek types/"
(cd "$drive" && eval "\"\$wine\" $(printf "%s" "$verb" | sed 's/%1/C:\\vek types\\parts.slb/g')" >/dev/null)
[ -f "$drive/vek types/parts.lst" ] && [ "$(ls "$drive/vek types" | grep -c '\.sym$')" -eq 40 ] \
    || fail "Expand here did not expand beside the library: $(ls "$drive/vek types")"
rm -rf "$drive/vek types"
"$wine" 'C:\Program Files\vek\uninstall.exe' /S
/usr/lib/wine/wineserver -w
[ ! -e "$drive/Program Files/vek" ] || fail "files left after uninstall: $(ls -R "$drive/Program Files/vek")"
[ ! -e "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/vek" ] || fail "shortcut left after uninstall"
"$wine" reg query "$key" >/dev/null 2>&1 && fail "uninstall key left after uninstall"
for k in .slb .plb .flb vek.SymbolLibrary vek.PackageLibrary vek.FootprintLibrary; do
    "$wine" reg query "HKLM\\Software\\Classes\\$k" >/dev/null 2>&1 && fail "$k left after uninstall"
done

# For the current user alone: the user's folders and keys, nothing for all.
"$wine" "$out/vek-$version-win64-setup.exe" /S /CurrentUser
/usr/lib/wine/wineserver -w
mine="$drive/users/$(whoami)/AppData/Local/Programs/vek"
[ -f "$mine/vekwin.exe" ] || fail "a per-user install is not in $mine"
[ "$(value 'HKCU\Software\Classes\.plb')" = vek.PackageLibrary ] || fail "no per-user .plb type"
"$wine" reg query 'HKLM\Software\Classes\.plb' >/dev/null 2>&1 && fail "a per-user install registered .plb for all"
"$wine" reg query "$(printf "%s" "$key" | sed 's/^HKLM/HKCU/')" >/dev/null 2>&1 || fail "no per-user uninstall key"
"$wine" "C:\\users\\$(whoami)\\AppData\\Local\\Programs\\vek\\uninstall.exe" /S
/usr/lib/wine/wineserver -w
[ ! -e "$mine" ] || fail "files left after the per-user uninstall"
"$wine" reg query 'HKCU\Software\Classes\.plb' >/dev/null 2>&1 && fail ".plb left after the per-user uninstall"
echo "packages: ZIP, .deb, man page, installer (all users and one user, library types) and uninstaller all as expected"
