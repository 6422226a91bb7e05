#!/bin/sh
# Builds both configurations and runs every test: natively, natively under
# the sanitizers, the fuzzers (VEK_FUZZ_SECONDS each, default 20), the
# Windows build under Wine (a prefix inside build/win64, made once per run),
# then the packages: made, unpacked, installed and uninstalled.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
start=$(date +%s)
sh "$root/scripts/install-deps.sh" all
cmake -S "$root" -B "$root/build/native" >/dev/null
cmake --build "$root/build/native" -j2
cmake -S "$root" -B "$root/build/win64" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win64" -j2

echo "=== native tests"
(cd "$root/build/native" && ctest -j2 --output-on-failure)

echo "=== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build/asan" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" >/dev/null
cmake --build "$root/build/asan" -j2
(cd "$root/build/asan" && ctest -j2 --output-on-failure)

echo "=== native tests under ThreadSanitizer, and 20,000 parts compressed and expanded on the reading pool"
cmake -S "$root" -B "$root/build/tsan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1" >/dev/null
cmake --build "$root/build/tsan" -j2
# The byte-by-byte sweeps of a full disk and of every cut run on one thread:
# AddressSanitizer has them; here they would only take minutes. So do the
# parsers' tables and the grep and rename tests, which start no
# thread: each of their cases costs a process start of two seconds here.
(cd "$root/build/tsan" && ctest -j2 --output-on-failure \
    -E "diskFillsAtEveryByte|EveryCutEveryFlip|parseHeaderTable|componentNameTable|splitIndexNameTable|parseIndexLineTable|storedFormTable|listEntryTable|partReaderTable|grepTest|renameTest")
tsanWork=$(mktemp -d)
"$root/build/tsan/bin/genParts" symbol 20000 "$tsanWork/src" 2026 300 >/dev/null
(cd "$tsanWork/src" && "$root/build/tsan/bin/vek" compress -q parts.lst ../parts.slb)
(mkdir "$tsanWork/x" && cd "$tsanWork/x" && "$root/build/tsan/bin/vek" expand -q -o . ../parts.slb)
test "$(ls "$tsanWork/x" | wc -l)" -eq 20001
rm -rf "$tsanWork"

echo "=== fuzzing"
sh "$root/scripts/fuzz.sh" "${VEK_FUZZ_SECONDS:-20}"

echo "=== Windows tests under Wine"
export WINEPREFIX="$root/build/win64/wineprefix" WINEDEBUG=-all
sh "$root/scripts/wine-prefix.sh"
status=0
# Windows programs that show windows (the assertion box tests) need a display.
(cd "$root/build/win64" && xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure --timeout 600) \
    || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w

echo "=== packages: made by scripts/package.sh, installed and uninstalled under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" sh "$root/tests/packaging/checkPackages.sh" || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
echo "=== all tests took $(( $(date +%s) - start )) s"
exit $status
