#!/bin/sh
# Runs every libFuzzer program in BUILD_DIR/bin (fuzz_NAME over fuzz/corpus/NAME) for
# SECONDS each and prints how many inputs it ran and how many per second. Stops at the
# first target that finds a crash, a leak, an input over 2 s or over 1 GB (FUZZ_TIMEOUT,
# FUZZ_RSS_MB and FUZZ_MAX_LEN change the limits).
#   scripts/run-fuzzers.sh BUILD_DIR [SECONDS]
set -u
build=$1
seconds=${2:-60}
status=0
# Allocation stacks are not recorded while fuzzing (recording them costs more than many
# inputs do); rerun a crash input by hand to read its report with them. Freed memory waits
# 32 MB in quarantine instead of 256: an input frees far less, so a use after free within
# one input is still caught, and the allocator cycles through less fresh memory.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=32}
for f in "$build"/bin/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus=fuzz/corpus/${name#fuzz_}
    log=$build/$name.log
    mkdir -p "$corpus"
    echo "== $name"
    # The entropic scheduler's bookkeeping over tens of thousands of features costs more
    # than running the input here; plain scheduling runs about ten times as many inputs.
    # Inputs up to 1 MB: the costs that grow faster than the input only show at size.
    # Within that, an input may take 1 GB and 2 s, what the program allows any file.
    # Without -len_control=0 libFuzzer lets inputs grow by a few bytes at a time and stays
    # near 4 KB for the first minutes.
    "$f" -max_total_time="$seconds" -max_len="${FUZZ_MAX_LEN:-1048576}" -len_control=0 \
        -rss_limit_mb="${FUZZ_RSS_MB:-1024}" -timeout="${FUZZ_TIMEOUT:-2}" -entropic=0 \
        "$corpus" >"$log" 2>&1
    status=$?
    # libFuzzer ends a clean run with "Done N runs in S second(s)".
    done_line=$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1)
    if [ -n "$done_line" ]; then
        runs=$(echo "$done_line" | awk '{print $2}')
        secs=$(echo "$done_line" | awk '{print $5}')
        [ "$secs" -gt 0 ] || secs=1
        echo "$name: $runs inputs in $secs s, $((runs / secs)) inputs per second"
    fi
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        echo "$name failed; its log is $log"
        exit "$status"
    fi
done
exit "$status"
