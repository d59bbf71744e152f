#!/usr/bin/env bash
# Checks the portable modules (xmlParser without its Win32 file helpers, CDataStream) in a
# native clang build with the address and undefined-behaviour sanitizers (build/native):
#   1. their unit tests;
#   2. the libFuzzer target on the XML parser for FUZZ_SECONDS (default 60) from the seed
#      corpus in tests/fuzz/corpus;
#   3. the comparison with expat on XML files that Debian ships.
# Every stage runs; the exit code is non-zero when any of them failed.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/native"
fuzz_seconds=${FUZZ_SECONDS:-60}
# Debian's interpreter (with its expat) rather than whatever comes first on the PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

export UBSAN_OPTIONS=print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1

echo "== native sanitizer build (clang, address + undefined)"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root/tests/native" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
fi
cmake --build "$build" || exit 1

passed=0
failed=0
stage() { # name, then the command
    local name=$1
    shift
    local start=$SECONDS
    if "$@"; then
        passed=$((passed + 1))
        echo "-- $name: passed ($((SECONDS - start)) s)"
    else
        failed=$((failed + 1))
        echo "-- $name: FAILED ($((SECONDS - start)) s)"
    fi
}

fuzz() {
    local corpus="$build/fuzz-corpus" artifacts="$build/fuzz-artifacts" log="$build/fuzz.log"
    mkdir -p "$corpus" "$artifacts"
    # New inputs go to the build's corpus; the committed seeds are only read.
    if "$build/xml_parser_fuzz" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 \
        -timeout=10 -max_len=8192 -dict="$root/tests/fuzz/xml.dict" \
        -artifact_prefix="$artifacts/" -print_final_stats=1 \
        "$corpus" "$root/tests/fuzz/corpus" >"$log" 2>&1; then
        grep -a -m1 "^Done " "$log"
        grep -a "stat::new_units_added\|stat::peak_rss_mb" "$log"
        return 0
    fi
    grep -a -v "^    #" "$log" | tail -n 40
    echo "fuzz log: $log; failing inputs in $artifacts"
    return 1
}

echo "== unit tests"
stage "unit tests" "$build/portable_tests" --gtest_brief=1
echo "== fuzzing the XML parser for $fuzz_seconds s"
stage "fuzzing" fuzz
echo "== comparison with expat"
stage "expat comparison" "$python" "$root/tests/native/compare_with_expat.py" \
    "$build/xml_canonical_dump"

echo "native: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
