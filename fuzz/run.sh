#!/bin/sh
# Runs every fuzz target for the given time and prints one summary line per target.
#   sh fuzz/run.sh <build-dir> <seconds>
# The corpus grows in fuzz/corpus/<target> (kept out of git), starting from the committed
# seeds and the saved crash inputs in fuzz/regressions/<target>. Crash inputs found land in
# <build-dir>/artifacts/<target>/, with the log beside the folder.
#
# libFuzzer runs in fork mode and goes on after a crash, so one run collects every crash it
# can find, known ones (still-failing regressions) included. FUZZ_FORK=0 runs plain mode,
# which stops at the first crash. FUZZ_TARGETS picks targets. Exits non-zero when any
# target crashed, leaked, ran out of memory or hung.
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

mode="-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1"
[ "${FUZZ_FORK:-1}" = 0 ] && mode=""

# A small quarantine: the default 256 MB keeps every freed 64 KB copy of a long practice line
# mapped, and such inputs then spend seconds in page faults and hit the timeout.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:quarantine_size_mb=16
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

newer() { # artifact files of the given kinds written since the run began
    dir=$1 marker=$2
    shift 2
    for kind in "$@"; do
        find "$dir" -maxdepth 1 -type f -name "$kind-*" -newer "$marker"
    done
}

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
    sleep 1 # file times have one-second steps on some file systems

    echo "== $t for ${seconds}s (log: $log)"
    start=$(date +%s)
    # shellcheck disable=SC2086 # $mode and $dirs are word lists
    TMPDIR=$scratch/$t "$exe" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" $mode $dirs >"$log" 2>&1
    rc=$?
    elapsed=$(($(date +%s) - start))

    # Plain mode prints the total in its final stats; fork mode only in its progress lines.
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    [ -n "$execs" ] || execs=$(sed -n 's/^#\([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
    [ -n "$execs" ] || execs="?"

    crashes=$(newer "$artifacts" "$marker" crash leak oom | wc -l)
    # A busy machine can push a run past the timeout; only an input that still hangs with
    # five times the time counts.
    hangs=0
    slow=0
    for f in $(newer "$artifacts" "$marker" timeout); do
        if TMPDIR=$scratch/$t "$exe" -timeout=25 -rss_limit_mb=2048 "$f" >>"$log.timeouts" 2>&1; then
            slow=$((slow + 1))
        else
            hangs=$((hangs + 1))
        fi
    done

    status=ok
    if [ "$crashes" -gt 0 ] || [ "$hangs" -gt 0 ]; then
        status="CRASHED(crashes=$crashes,hangs=$hangs)"
        failed=1
    elif [ "$rc" -ne 0 ]; then
        status="FAILED(rc=$rc)"
        failed=1
    fi
    [ "$slow" -gt 0 ] && status="$status,slow=$slow"
    results="$results$t $elapsed $execs $status\n"
done

echo
printf '%-20s %8s %12s  %s\n' target seconds execs status
printf '%b' "$results" | while read -r t s e st; do
    printf '%-20s %8s %12s  %s\n' "$t" "$s" "$e" "$st"
done
[ "$failed" -eq 0 ] || echo "crash inputs: $build/artifacts/<target>/, logs beside them"
exit "$failed"
