#!/bin/sh
# Runs the benchmarks against a build and prints one table; also writes it to
# BUILD/bench-results.md. Figures over budget are reported, never a failure: only a setup
# problem (missing tool, a benchmark that could not run) exits non-zero.
#
# Usage: sh bench/run.sh [BUILD]
set -u

build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
case $build in /*) ;; *) build=$root/$build ;; esac
bench=$build/bench/dovanel_bench
watch=$build/bench/dovanel_mapwatch
program=$build/dovanel
results=$build/bench-results.md

tmp=
xvfb=
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    [ -n "$tmp" ] && rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
    echo "bench: $*" >&2
    exit 1
}

for tool in Xvfb xdotool awk timeout; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (make deps)"
done
[ -x "$bench" ] || fail "$bench is missing: cmake --build $build --target dovanel_bench"
[ -x "$program" ] || fail "$program is missing: make build"

tmp=$(mktemp -d) || fail "cannot make a temporary directory"
rows=$tmp/rows
: >"$rows"

# row NAME FIGURE UNIT BUDGET: BUDGET is a bound the figure must stay under, or "-" for a
# figure shown for context only.
row() {
    awk -v name="$1" -v f="$2" -v unit="$3" -v b="$4" 'BEGIN {
        if (b == "-") { budget = "-"; verdict = "-" }
        else { budget = "< " b " " unit; verdict = (f + 0 < b + 0) ? "within" : "over" }
        printf "| %s | %s %s | %s | %s |\n", name, f, unit, budget, verdict
    }' >>"$rows"
}

# value FILE KEY: the figure a benchmark printed as "KEY value".
value() {
    awk -v k="$2" '$1 == k { print $2; exit }' "$1"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR) printf "%.1f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The practice texts skip spaces themselves; the memory session types lines without them.
copy_texts() {
    mkdir -p "$1" || fail "cannot make $1"
    cp "$root"/data/*.txt "$1"/ || fail "cannot copy the practice texts"
}

# 1. A judged keystroke on the real widgets, offscreen.
echo "bench: keystroke (10000 keys, offscreen)..." >&2
QT_QPA_PLATFORM=offscreen "$bench" keystroke 10000 >"$tmp/keystroke" 2>"$tmp/keystroke.err" ||
    { cat "$tmp/keystroke.err" >&2; fail "the keystroke benchmark did not run"; }
row "Judged keystroke to repaint, median (10000 keys, offscreen)" \
    "$(value "$tmp/keystroke" median_ms)" ms -
row "Judged keystroke to repaint, 99th percentile" "$(value "$tmp/keystroke" p99_ms)" ms 1
row "Judged keystroke, processor time of the GUI thread, 99th percentile" \
    "$(value "$tmp/keystroke" cpu_p99_ms)" ms -

# 3. A block picked from the largest file.
echo "bench: block from a 32767-line file..." >&2
"$bench" load 20 >"$tmp/load" 2>"$tmp/load.err" ||
    { cat "$tmp/load.err" >&2; fail "the load benchmark did not run"; }
row "Block picked from a 32767-line file, median of 20" "$(value "$tmp/load" median_ms)" ms 20

# 5. The practice journal: recording runs, and its window over ten thousand runs. The program
# started further down finishes a run, so its journal goes to a folder of ours.
echo "bench: journal (200 runs recorded, window over 10000 runs)..." >&2
QT_QPA_PLATFORM=offscreen "$bench" journal 200 10000 >"$tmp/journal" 2>"$tmp/journal.err" ||
    { cat "$tmp/journal.err" >&2; fail "the journal benchmark did not run"; }
row "Run recorded in the journal, median of 200" "$(value "$tmp/journal" record_median_ms)" ms 5
row "Journal window opened over 10000 runs, median of 5 (offscreen)" \
    "$(value "$tmp/journal" window_open_ms)" ms 300
XDG_DATA_HOME=$tmp/data-home
export XDG_DATA_HOME

# An X server of our own on a free display, without a window manager. -displayfd both picks
# the display and tells when the server is ready.
echo "bench: starting Xvfb..." >&2
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
tries=0
while [ ! -s "$tmp/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || { cat "$tmp/xvfb.log" >&2; fail "Xvfb did not start"; }
    tries=$((tries + 1))
    [ "$tries" -gt 200 ] && fail "Xvfb did not come up in 10 s"
    sleep 0.05
done
DISPLAY=:$(head -n 1 "$tmp/display")
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# 2. Process start to the main window mapped.
if [ -x "$watch" ]; then
    echo "bench: start-up (5 runs)..." >&2
    copy_texts "$tmp/start"
    mkdir -p "$tmp/start-config"
    : >"$tmp/startup"
    for run in 1 2 3 4 5; do
        (cd "$tmp/start" && XDG_CONFIG_HOME=$tmp/start-config "$watch" dovanel 20 "$program") \
            >"$tmp/startup.$run" 2>>"$tmp/startup.err" ||
            { cat "$tmp/startup.err" >&2; fail "the start-up benchmark did not run"; }
        value "$tmp/startup.$run" mapped_ms >>"$tmp/startup"
    done
    row "Start-up to main window mapped, median of 5 (Xvfb)" "$(median <"$tmp/startup")" ms 40
else
    echo "bench: $watch is missing (libxcb1-dev); start-up skipped" >&2
    row "Start-up to main window mapped (skipped: no libxcb headers)" "n/a" "" -
fi

# 4. Peak memory of a session: level 2, a whole block typed, the results window with its chart.
echo "bench: session peak memory..." >&2
session=$tmp/session
copy_texts "$session"
line=thequickbrownfoxjumpsoverthelazydogpackmyboxwithfivedozenjugs
awk -v l="$line" 'BEGIN { for (i = 0; i < 40; i++) printf "%s\r\n", l }' >"$session/middle.txt"
mkdir -p "$tmp/session-config"
(cd "$session" && XDG_CONFIG_HOME=$tmp/session-config exec "$program") 2>"$tmp/session.err" &
app=$!
level=$(timeout 20 xdotool search --sync --onlyvisible --name 'レベルの選択' | head -n 1)
[ -n "$level" ] || fail "the level dialog did not open"
xdotool windowfocus --sync "$level"
xdotool type 2
xdotool key Return
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^dovanel$' | head -n 1)
[ -n "$main" ] || fail "the main window is not there"
# The level dialog closes and the main window's 100 ms timer puts the caret on line 1.
sleep 0.5
xdotool windowfocus --sync "$main"
typed=0
while [ "$typed" -lt 5 ]; do
    xdotool type --delay 4 "$line"
    typed=$((typed + 1))
done
timeout 20 xdotool search --sync --onlyvisible --name '^結果' >/dev/null ||
    fail "the results window did not open after a whole block"
sleep 1 # its chart is drawn
kill -0 "$app" 2>/dev/null || fail "the program ended during the session"
hwm=$(awk '$1 == "VmHWM:" { print $2 }' "/proc/$app/status")
[ -n "$hwm" ] || fail "cannot read VmHWM"
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
app=
row "Peak memory of a session (VmHWM, level 2, block + results chart)" \
    "$(awk -v k="$hwm" 'BEGIN { printf "%.1f", k / 1024 }')" MB 45

{
    echo "| Benchmark | Figure | Budget | Verdict |"
    echo "|---|---|---|---|"
    cat "$rows"
    echo
    echo "Keystroke detail: $(grep -E '^(wrong_keys|restarts|keys_without_paint|keys_with_late_paint|max_ms|block_end_keys|block_end_median_ms|cpu_median_ms|paints_per_key|painted_pixels_per_key|window_pixels) ' "$tmp/keystroke" | awk '{ printf "%s%s=%s", (NR > 1 ? ", " : ""), $1, $2 }')"
    [ -s "$tmp/startup" ] && echo "Start-up runs (ms): $(tr '\n' ' ' <"$tmp/startup")"
    echo "Machine: $(nproc) CPUs, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo), $(awk '/^MemTotal/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo) memory, load average $(cut -d' ' -f1-3 /proc/loadavg)"
} >"$tmp/table"
cp "$tmp/table" "$results" || fail "cannot write $results"
cat "$tmp/table"
