#!/bin/sh
# Runs each fuzz target for the given time: sh fuzz/run.sh <build-dir> <seconds>
# The corpus grows in fuzz/corpus/<target> (not in git), from the committed seeds; crash
# inputs land in <build-dir>/artifacts/<target>/. Exits non-zero when any target failed.
set -u
build=${1:?usage: sh fuzz/run.sh <build-dir> <seconds>}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for t in fuzz_practicetext fuzz_typing; do
    mkdir -p "$root/fuzz/corpus/$t" "$build/artifacts/$t"
    log=$build/artifacts/$t.log
    if "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$t/" "$root/fuzz/corpus/$t" "$root/fuzz/seeds/$t" \
        >"$log" 2>&1; then
        echo "$t: ok, $(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log") runs"
    else
        echo "$t: FAILED, see $log and $build/artifacts/$t/"
        failed=1
    fi
done
exit "$failed"
