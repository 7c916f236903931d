#!/bin/sh
# Runs every fuzz target for the given time and prints one summary line per target.
#   sh fuzz/run.sh <build-dir> <seconds>
# The corpus grows in fuzz/corpus/<target> (not kept in git), starting from the committed
# seeds and saved crash inputs; new crash inputs land in <build-dir>/artifacts/<target>/.
# FUZZ_KEEP_GOING=1 runs in libFuzzer's fork mode, which goes on after a crash, so one run
# can collect several distinct ones. Exits non-zero when any target crashed.
set -u

build=${1:?usage: sh fuzz/run.sh <build-dir> <seconds>}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
targets=${FUZZ_TARGETS:-"fuzz_practicetext fuzz_typing fuzz_settings"}

# QSettings syncs each write to disk; memory-backed scratch space keeps the settings target fast.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    scratch=$(mktemp -d /dev/shm/dovanel-fuzz.XXXXXX)
else
    scratch=$(mktemp -d)
fi
trap 'rm -rf "$scratch"' EXIT INT TERM

extra=""
[ "${FUZZ_KEEP_GOING:-0}" = 1 ] && extra="-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1"

results=""
failed=0
for t in $targets; do
    exe=$build/fuzz/$t
    if [ ! -x "$exe" ]; then
        results="$results$t - - missing\n"
        failed=1
        continue
    fi
    corpus=$root/fuzz/corpus/$t
    artifacts=$build/artifacts/$t
    log=$build/artifacts/$t.log
    mkdir -p "$corpus" "$artifacts" "$scratch/$t"
    dirs="$corpus $root/fuzz/seeds/$t"
    [ -d "$root/fuzz/regressions/$t" ] && dirs="$dirs $root/fuzz/regressions/$t"
    marker=$scratch/$t.start
    touch "$marker"

    echo "== $t for ${seconds}s (log: $log)"
    start=$(date +%s)
    # shellcheck disable=SC2086 # $extra and $dirs are word lists
    TMPDIR=$scratch/$t \
    ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 \
    LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$exe" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" $extra $dirs >"$log" 2>&1
    rc=$?
    elapsed=$(($(date +%s) - start))

    # Plain mode prints the total in its final stats; fork mode only in its progress lines.
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    [ -n "$execs" ] || execs=$(sed -n 's/^#\([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
    [ -n "$execs" ] || execs="?"

    found=$(find "$artifacts" -maxdepth 1 -type f -newer "$marker" \
        \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \
        -o -name 'slow-unit-*' \) | wc -l)
    problems=$(find "$artifacts" -maxdepth 1 -type f -newer "$marker" \
        \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
    if [ "$problems" -gt 0 ]; then
        status="CRASHED($problems)"
        failed=1
    elif [ "$rc" -ne 0 ]; then
        status="FAILED(rc=$rc)"
        failed=1
    else
        status=ok
    fi
    [ "$found" -gt "$problems" ] && status="$status+slow"
    results="$results$t $elapsed $execs $status\n"
done

echo
printf '%-20s %8s %12s  %s\n' target seconds execs status
printf "$results" | while read -r t s e st; do
    printf '%-20s %8s %12s  %s\n' "$t" "$s" "$e" "$st"
done
[ "$failed" -eq 0 ] || echo "crash inputs: $build/artifacts/<target>/ (logs beside them)"
exit "$failed"
