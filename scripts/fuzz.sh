#!/bin/sh
# Fuzzes the About window's registry reader with libFuzzer (clang, with
# AddressSanitizer and UndefinedBehaviorSanitizer), then merges what it found
# into tests/about/corpus, the inputs the test suite replays
# (tst_registrycorpus) without the fuzzer.
#   scripts/fuzz.sh [seconds]      default 300
# Builds in build/fuzz; needs clang and libclang-rt-14-dev.
set -eu
cd "$(dirname "$0")/.."

seconds=${1:-300}
build=build/fuzz
corpus=tests/about/corpus

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTEMPORIA_BUILD_TESTS=ON -DTEMPORIA_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" --target fuzz_registry

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
found="$build/found"
mkdir -p "$found"
# Values up to 2,048 bytes for both lookups fit in 4,400 bytes of input.
# A failing input is written to build/fuzz/crash-*; add it to the corpus once mended.
"$build/bin/fuzz_registry" -max_total_time="$seconds" -max_len=4400 -print_final_stats=1 \
    -artifact_prefix="$build/" "$found" "$corpus"

# Keep the smallest set of inputs that covers all that the others cover.
merged="$build/merged"
rm -rf "$merged"
mkdir -p "$merged"
# Edges only, not how often each ran: a few dozen inputs, not hundreds.
"$build/bin/fuzz_registry" -merge=1 -use_counters=0 "$merged" "$corpus" "$found"
rm -f "$corpus"/*
cp "$merged"/* "$corpus"/
echo "$(ls "$corpus" | wc -l) inputs in $corpus"
