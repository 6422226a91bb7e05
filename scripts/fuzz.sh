#!/bin/sh
# Builds the fuzz harnesses with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer), replays the stored corpus, then fuzzes each
# harness for SECONDS (default 60). New corpus entries go to a scratch copy.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build/fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g -O1"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DVEK_FUZZ=ON -DVEK_BUILD_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" -j2 --target fuzz_library fuzz_header fuzz_listfile fuzz_linereader fuzz_merge fuzz_repair
for name in library header listfile linereader merge repair; do
    exe="$build/bin/fuzz_$name"
    echo "=== fuzz_$name: stored corpus"
    "$exe" -runs=0 "$root/fuzz/corpus/$name"
    work=$(mktemp -d)
    cp "$root/fuzz/corpus/$name"/* "$work/"
    echo "=== fuzz_$name: ${seconds} s"
    "$exe" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$work" 2>&1 | tail -12
    rm -rf "$work"
done
