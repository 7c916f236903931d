#!/bin/sh
# Runs the benchmarks against a build and prints one table; also writes it to
# BUILD/bench-results.md. dovanel is measured against the floor (bench/floor.cpp) in the same
# run, the two started alternately, because on a shared machine only such ratios mean
# anything. Figures over budget are reported, never a failure: only a setup problem (missing
# tool, a benchmark that could not run) exits non-zero.
#
# Each block below is one function that adds its rows; the list at the end runs them.
#
# Usage: sh bench/run.sh [BUILD]
# STARTS (default 7) fresh starts of each program, KEY_SESSIONS (default 2) typing sessions
# of each, SESSIONS (default 5) memory sessions of each.
set -u

build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
case $build in /*) ;; *) build=$root/$build ;; esac
bench=$build/bench/dovanel_bench
watch=$build/bench/dovanel_mapwatch
keys=$build/bench/dovanel_keylatency
floor=$build/bench/dovanel_floor
program=$build/dovanel
results=$build/bench-results.md
starts=${STARTS:-7}
key_sessions=${KEY_SESSIONS:-2}
sessions=${SESSIONS:-5}

main_title=dovanel
floor_title="dovanel floor"
level_answer='レベルの選択=2\n'
results_title=結果
# Letters only, so every key types the same way on any layout; five lines hold 300 keys.
line=thequickbrownfoxjumpsoverthelazydogpackmyboxwithfivedozenjugsnowplease
typed300=$(printf %s "$line$line$line$line$line" | cut -c 1-300)
block=$line$line$line$line$line

tmp=
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    [ -n "$tmp" ] && rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
    echo "bench: $*" >&2
    exit 1
}

for tool in Xvfb awk sort; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (make deps)"
done
for file in "$bench" "$floor" "$program"; do
    [ -x "$file" ] || fail "$file is missing: cmake --build $build --target dovanel_bench"
done

load_start=$(cut -d' ' -f1-3 /proc/loadavg)
tmp=$(mktemp -d) || fail "cannot make a temporary directory"
rows=$tmp/rows
: >"$rows"

# --- Helpers -------------------------------------------------------------------------------

# row NAME DOVANEL FLOOR UNIT KIND BOUND: KIND "ratio" bounds DOVANEL / FLOOR, "plus" bounds
# DOVANEL - FLOOR, "under" bounds DOVANEL alone from above (FLOOR is "-") and "over" from
# below, "-" is context only.
row() {
    awk -v name="$1" -v d="$2" -v f="$3" -v unit="$4" -v kind="$5" -v b="$6" 'BEGIN {
        ratio = (f != "-" && f + 0 > 0) ? sprintf("%.2f x", d / f) : "-"
        if (kind == "ratio") { budget = "<= " b " x"; ok = d / f <= b + 0 }
        else if (kind == "plus") {
            budget = "<= floor + " b " " unit; ok = d - f <= b + 0
            ratio = sprintf("%+.1f %s", d - f, unit)
        }
        else if (kind == "under") { budget = "< " b " " unit; ok = d + 0 < b + 0 }
        else if (kind == "over") { budget = ">= " b " " unit; ok = d + 0 >= b + 0 }
        else { budget = "-" }
        verdict = (kind == "-") ? "-" : (ok ? "within" : "over")
        printf "| %s | %s %s | %s%s | %s | %s | %s |\n", name, d, unit, f,
            (f == "-" ? "" : " " unit), ratio, budget, verdict
    }' >>"$rows"
}

# value FILE KEY: the first figure a benchmark printed as "KEY value"; values: all of them.
value() {
    awk -v k="$2" '$1 == k { print $2; exit }' "$1"
}
values() {
    awk -v k="$2" '$1 == k { print $2 }' "$1"
}

# percentile P: nearest rank of the numbers on standard input, P = 50 for the median.
percentile() {
    sort -g | awk -v p="$1" '{ v[NR] = $1 } END {
        if (!NR) exit
        r = int(p / 100 * NR); if (r < p / 100 * NR) r++; if (r < 1) r = 1
        printf "%.2f", v[r] }'
}

# workdir NAME: a working directory with practice texts of identical letter-only lines, and a
# settings folder of its own.
workdir() {
    mkdir -p "$tmp/$1/config" || fail "cannot make $tmp/$1"
    cp "$root"/data/*.txt "$tmp/$1"/ || fail "cannot copy the practice texts"
    awk -v l="$line" 'BEGIN { for (i = 0; i < 40; i++) printf "%s\r\n", l }' \
        >"$tmp/$1/middle.txt"
}

# measure NAME WHAT COMMAND...: runs a benchmark tool in workdir NAME, with its settings there;
# what it prints lands in $tmp/out. WHAT names it when it fails.
measure() {
    dir=$tmp/$1 what=$2
    shift 2
    (cd "$dir" && XDG_CONFIG_HOME=$dir/config "$@") >"$tmp/out" 2>>"$dir.err" ||
        { cat "$dir.err" >&2; fail "$what did not run"; }
}

# --- In-process figures --------------------------------------------------------------------

# inprocess NAME COUNT WHAT: runs the benchmark tool's NAME case COUNT times, offscreen; what it
# prints lands in $tmp/NAME. WHAT names it when it fails.
inprocess() {
    QT_QPA_PLATFORM=offscreen "$bench" "$1" "$2" >"$tmp/$1" 2>"$tmp/$1.err" ||
        { cat "$tmp/$1.err" >&2; fail "$3 did not run"; }
}

bench_keystroke() {
    echo "bench: judged keystroke (10000 keys, offscreen)..." >&2
    inprocess keystroke 10000 "the keystroke benchmark"
    row "Judged keystroke to repaint, in process, median (10000 keys)" \
        "$(value "$tmp/keystroke" median_ms)" - ms - -
    row "Judged keystroke to repaint, in process, 99th percentile" \
        "$(value "$tmp/keystroke" judged_p99_ms)" - ms under 1
}

bench_load() {
    echo "bench: block from a 32767-line file..." >&2
    inprocess load 20 "the load benchmark"
    row "Block picked from a 32767-line file, median of 20" "$(value "$tmp/load" median_ms)" \
        - ms under 20
}

bench_opentext() {
    echo "bench: a 5 MB UTF-8 text opened..." >&2
    inprocess opentext 10 "the text benchmark"
    row "5 MB UTF-8 text opened to its first block painted, median of 10 (offscreen)" \
        "$(value "$tmp/opentext" median_ms)" - ms under 200
}

bench_weakblock() {
    echo "bench: weak-key block (32767-line file, 10000 journalled runs)..." >&2
    inprocess weakblock 20 "the weak-key benchmark"
    row "Weak-key block chosen and painted, 32767-line file, 10000 runs, median of 20 (offscreen)" \
        "$(value "$tmp/weakblock" median_ms)" - ms under 50
    row "The same, first of an execution (the journal opened)" \
        "$(value "$tmp/weakblock" first_ms)" - ms under 50
    # The random blocks' share stands in the floor's column: what the keys get without the feature.
    row "Share of the three weakest keys ($(value "$tmp/weakblock" keys)) in a block: weak-key, against random, means of 200" \
        "$(value "$tmp/weakblock" weak_share)" "$(value "$tmp/weakblock" random_share)" "" over 0.25
}

# --- Under X, dovanel against the floor ----------------------------------------------------

# The practice journal as years of practice leave it: recording runs, and its window.
bench_journal() {
    echo "bench: journal of 100000 runs..." >&2
    inprocess journal 100000 "the journal benchmark"
    row "Run recorded at 100000 runs, before the results window, median of 255" \
        "$(value "$tmp/journal" record_median_ms)" - ms under 5
    row "The same, the most" "$(value "$tmp/journal" record_max_ms)" - ms under 5
    row "Its writing after the results window, first of an execution, median of 5" \
        "$(value "$tmp/journal" write_first_median_ms)" - ms - -
    row "Its writing, later runs, median of 200" "$(value "$tmp/journal" write_median_ms)" \
        - ms - -
    row "Its writing with the journal window open, median of 50" \
        "$(value "$tmp/journal" write_window_open_median_ms)" - ms - -
    row "Journal window opened over 100000 runs, median of 5 (offscreen)" \
        "$(value "$tmp/journal" window_open_ms)" - ms under 300
}

# The sessions below finish runs: their journal goes to a folder of ours.
XDG_DATA_HOME=$tmp/data-home
export XDG_DATA_HOME

# An X server of our own on a free display, without a window manager. -displayfd both picks
# the display and tells when the server is ready.
start_xvfb() {
    echo "bench: starting Xvfb..." >&2
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" \
        2>"$tmp/xvfb.log" &
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
}

# alternate COUNT STEP: "STEP dovanel" and "STEP floor" in turn, COUNT times each. A step
# learns what it measures from subject.
alternate() {
    i=0
    while [ "$i" -lt "$1" ]; do
        "$2" dovanel
        "$2" floor
        i=$((i + 1))
    done
}

# subject dovanel|floor: sets exe and title, and answer to the options that take the level
# dialog out of the way (the floor has none).
subject() {
    case $1 in
    dovanel) exe=$program title=$main_title answer="-d $level_answer" ;;
    *) exe=$floor title=$floor_title answer= ;;
    esac
}

start_once() {
    subject "$1"
    measure start "$1's start" "$watch" "$title" 20 "$exe"
    value "$tmp/out" mapped_ms >>"$tmp/startup.$1"
}

bench_startup() {
    [ -x "$watch" ] || { echo "bench: no $watch (libxcb1-dev); start-up skipped" >&2; return; }
    echo "bench: start-up ($starts starts of each, alternately)..." >&2
    workdir start
    alternate "$starts" start_once
    row "Start to main window mapped, median of $starts" "$(percentile 50 <"$tmp/startup.dovanel")" \
        "$(percentile 50 <"$tmp/startup.floor")" ms ratio 1.15
}

# Three rounds of 300 keys, Ctrl+R between them.
type_once() {
    subject "$1"
    # shellcheck disable=SC2086 # $answer is two words or none
    measure keys "$1's typing" "$keys" -r 3 -b ctrl+r $answer "$title" "$typed300" -- "$exe"
    values "$tmp/out" key_ms >>"$tmp/keys.$1"
}

bench_keys() {
    [ -x "$keys" ] || { echo "bench: no $keys (libxcb-damage0-dev); keys skipped" >&2; return; }
    echo "bench: key press to repaint ($key_sessions x 3 x 300 keys of each, alternately)..." >&2
    workdir keys
    alternate "$key_sessions" type_once
    count=$(wc -l <"$tmp/keys.dovanel")
    row "X key press to first repaint, median of $count keys" \
        "$(percentile 50 <"$tmp/keys.dovanel")" "$(percentile 50 <"$tmp/keys.floor")" ms ratio 1.10
    row "X key press to first repaint, 99th percentile" "$(percentile 99 <"$tmp/keys.dovanel")" \
        "$(percentile 99 <"$tmp/keys.floor")" ms ratio 1.25
}

# A short session: level 2, a whole block typed, the results window shown; then "r" and a
# second block. The floor has the same text typed into its line edit.
session_once() {
    subject "$1"
    if [ "$1" = dovanel ]; then
        measure session "dovanel's session" "$keys" -r 2 -b r -e "$results_title" \
            -d "$level_answer" "$title" "$block" -- "$exe"
        values "$tmp/out" shown_ms | sed -n 1p >>"$tmp/shown.first"
        values "$tmp/out" shown_ms | sed -n 2p >>"$tmp/shown.again"
    else
        measure session "the floor's session" "$keys" -r 2 "$title" "$block" -- "$exe"
    fi
    value "$tmp/out" peak_rss_kb >>"$tmp/rss.$1"
}

bench_session() {
    [ -x "$keys" ] || return
    echo "bench: sessions, peak memory and results window ($sessions of each)..." >&2
    workdir session
    alternate "$sessions" session_once
    mb() { awk '{ printf "%.1f\n", $1 / 1024 }'; }
    row "Peak memory of a session (VmHWM), median of $sessions" \
        "$(mb <"$tmp/rss.dovanel" | percentile 50)" "$(mb <"$tmp/rss.floor" | percentile 50)" \
        MB plus 6
    # The median, with the worst beside it: one start caught behind another build says little.
    for when in first again; do
        label="the first time"
        [ "$when" = again ] && label="the second time"
        row "Last key of a block to results window painted, $label, median of $sessions (worst $(percentile 100 <"$tmp/shown.$when") ms)" \
            "$(percentile 50 <"$tmp/shown.$when")" - ms under 100
    done
}

# --- The run -------------------------------------------------------------------------------

bench_keystroke
bench_load
bench_opentext
bench_journal
bench_weakblock
start_xvfb
bench_startup
bench_keys
bench_session

{
    echo "| Benchmark | dovanel | floor | ratio | budget | verdict |"
    echo "|---|---|---|---|---|---|"
    cat "$rows"
    echo
    echo "Keystroke detail: $(grep -E '^(wrong_keys|restarts|keys_without_paint|keys_with_late_paint|max_ms|block_end_median_ms|paints_per_key|painted_pixels_per_key|window_pixels) ' "$tmp/keystroke" | awk '{ printf "%s%s=%s", (NR > 1 ? ", " : ""), $1, $2 }')"
    for f in startup.dovanel startup.floor shown.first shown.again; do
        [ -s "$tmp/$f" ] && echo "$f (ms): $(tr '\n' ' ' <"$tmp/$f")"
    done
    echo "Machine: $(nproc) CPUs, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo), $(awk '/^MemTotal/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo) memory, load average $load_start at the start, $(cut -d' ' -f1-3 /proc/loadavg) at the end"
} >"$tmp/table"
cp "$tmp/table" "$results" || fail "cannot write $results"
cat "$tmp/table"
