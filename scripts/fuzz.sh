#!/bin/sh
# Fuzzes with libFuzzer (clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer), then merges what it found into the inputs the
# test suite replays without the fuzzer:
#   registry   the About window's registry reader, tests/about/corpus
#              (tst_registrycorpus)
#   dateinput  the reader of typed dates, tests/calendar/dateinput-corpus
#              (tst_dateinput)
#   scripts/fuzz.sh [seconds] [registry|dateinput|all]   default 300, registry;
#   all fuzzes each in turn, for that many seconds each.
# Builds in build/fuzz; needs clang and libclang-rt-14-dev.
set -eu
cd "$(dirname "$0")/.."

seconds=${1:-300}
which=${2:-registry}
case $which in
registry | dateinput) targets=$which ;;
all) targets="registry dateinput" ;;
*)
    echo "usage: $0 [seconds] [registry|dateinput|all]" >&2
    exit 2
    ;;
esac
build=build/fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTEMPORIA_BUILD_TESTS=ON -DTEMPORIA_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
for target in $targets; do
    cmake --build "$build" --target "fuzz_$target"
done

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
for target in $targets; do
    case $target in
    # Values up to 2,048 bytes for both lookups fit in 4,400 bytes of input.
    registry) corpus=tests/about/corpus max_len=4400 merge=-merge=1 ;;
    # Dates are short; long enough for a text to be quoted shortened. The
    # plain merge keeps twice as many of these as the set cover.
    dateinput) corpus=tests/calendar/dateinput-corpus max_len=200 merge=-set_cover_merge=1 ;;
    esac
    found="$build/found-$target"
    mkdir -p "$found"
    # A failing input is written to build/fuzz/crash-*; add it to the corpus once mended.
    "$build/bin/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$build/" "$found" "$corpus"

    # Keep the smallest set of inputs that covers all that the others cover.
    merged="$build/merged-$target"
    rm -rf "$merged"
    mkdir -p "$merged"
    # Edges only, not how often each ran: a few dozen inputs, not hundreds.
    "$build/bin/fuzz_$target" "$merge" -use_counters=0 "$merged" "$corpus" "$found"
    rm -f "$corpus"/*
    cp "$merged"/* "$corpus"/
    echo "$(ls "$corpus" | wc -l) inputs in $corpus"
done
