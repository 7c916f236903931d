#!/bin/sh
# Drives the real program on a private X server, as a learner would: level 2 twice with
# wrong keys among the right ones, then the numeric level, then quit. Afterwards the
# settings file must hold what those three runs earned.
#
# Usage: e2e.sh /path/to/dovanel
#
# Needs Xvfb, xdotool and xkbcomp (packages xvfb, xdotool, x11-xkb-utils); no window
# manager, no python. A missing tool is a failure, never a skip.
set -u
export LC_ALL=C # our own awk, date and grep; the program gets a UTF-8 locale below

say() { printf 'e2e: %s\n' "$*"; }
fail() {
    printf 'e2e: FAIL: %s\n' "$*" >&2
    exit 1
}

prog=${1:-}
[ -n "$prog" ] || fail "usage: e2e.sh /path/to/dovanel"
case $prog in /*) ;; *) prog=$PWD/$prog ;; esac
[ -f "$prog" ] && [ -x "$prog" ] || fail "program not found or not executable: $prog"
for tool in Xvfb xkbcomp xdotool timeout awk sed grep tr fold sort date mktemp; do
    command -v "$tool" >/dev/null 2>&1 ||
        fail "'$tool' is missing; install xvfb xauth xdotool x11-xkb-utils (sh scripts/ensure-deps.sh)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/dovanel-e2e.XXXXXX") || fail "mktemp failed"
run=$work/run         # the program's working directory: practice files by bare name
config=$work/config   # XDG_CONFIG_HOME, so no real settings are read or touched
ini=$config/dovanel/dovanel.ini
mkdir -p "$run" "$config/dovanel" "$work/runtime" && chmod 700 "$work/runtime" ||
    fail "cannot prepare $work"

stage="start"    # what the test was doing, for the failure report
watchdog_pid=""
wrapper_pid=""

# Whether a process runs; a child of ours that ended but is not yet reaped does not.
running() {
    kill -0 "$1" 2>/dev/null || return 1
    [ -r "/proc/$1/stat" ] || return 0
    [ "$(sed 's/^.*) //; s/ .*//' "/proc/$1/stat" 2>/dev/null)" != Z ]
}

# Ends one of our processes by the id in file $1: politely, then for sure.
stop() {
    [ -f "$1" ] || return 0
    pid=$(cat "$1")
    rm -f "$1"
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || return 0
    i=0
    while running "$pid" && [ $i -lt 40 ]; do
        sleep 0.05
        i=$((i + 1))
    done
    running "$pid" && kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null # reaps it when it is our child
    return 0
}

report() {
    echo "---- e2e diagnostics (stage: $stage) ----"
    echo "DISPLAY=${DISPLAY:-unset}"
    if [ -n "${DISPLAY:-}" ]; then
        echo "visible windows:"
        for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            echo "  $w '$(xdotool getwindowname "$w" 2>/dev/null)'" \
                "$(xdotool getwindowgeometry "$w" 2>/dev/null | tr '\n' ' ')"
        done
        echo "focus: $(xdotool getwindowfocus 2>/dev/null)"
        if command -v import >/dev/null 2>&1 && import -window root "$PWD/e2e-failure.png" 2>/dev/null; then
            echo "screenshot: $PWD/e2e-failure.png"
        fi
    fi
    echo "files:"
    ls -la "$run" "$config/dovanel" 2>&1 | sed 's/^/  /'
    echo "settings file $ini:"
    sed 's/^/  /' "$ini" 2>&1
    echo "keys typed and times:"
    sed 's/^/  /' "$work/timings" 2>/dev/null
    echo "program output:"
    sed 's/^/  /' "$work/app.log" 2>/dev/null
    [ -f "$work/app.status" ] && echo "program exit status: $(cat "$work/app.status")"
    echo "Xvfb output:"
    sed 's/^/  /' "$work/xvfb.log" 2>/dev/null
    echo "----"
}

cleanup() {
    status=$?
    trap - EXIT
    [ "$status" -ne 0 ] && report >&2
    stop "$work/app.pid"
    # The program's wrapper writes its status file; it must be done before the removal.
    [ -n "$wrapper_pid" ] && wait "$wrapper_pid" 2>/dev/null
    stop "$work/xvfb.pid"
    [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# If this script is killed outright (a ctest timeout), nothing else would end the X server
# and the program: a watchdog does, once this shell is gone.
(
    while kill -0 $$ 2>/dev/null; do sleep 1; done
    for f in "$work/app.pid" "$work/xvfb.pid"; do
        [ -f "$f" ] && kill "$(cat "$f")" 2>/dev/null
    done
    sleep 2 # time for the X server to remove its socket
    for f in "$work/app.pid" "$work/xvfb.pid"; do
        [ -f "$f" ] && kill -9 "$(cat "$f")" 2>/dev/null
    done
    rm -rf "$work"
) </dev/null >/dev/null 2>&1 &
watchdog_pid=$!

# ---------------------------------------------------------------- time helpers

now() { date +%s.%N; }
# The moment $1 seconds from now.
deadline() { awk -v t="$(now)" -v d="$1" 'BEGIN { printf "%.3f\n", t + d }'; }
past() { awk -v t="$(now)" -v d="$1" 'BEGIN { exit !(t > d) }'; }
# Nothing may wait for ever: ctest's own timeout would leave no report.
script_end=$(deadline 100)
check_overall() { past "$script_end" && fail "the whole test took more than 100 s"; return 0; }

# ---------------------------------------------------------------- X server

stage="starting Xvfb"
n=140
display=""
while [ $n -lt 240 ] && [ -z "$display" ]; do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        : >"$work/displayfd"
        # -displayfd: the server writes its number there once it accepts clients.
        # -noreset: else the server resets when its last client leaves, and a client
        # connecting just then (the program, after xdotool) is turned away.
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset -displayfd 3 \
            3>"$work/displayfd" </dev/null >"$work/xvfb.log" 2>&1 &
        echo $! >"$work/xvfb.pid"
        end=$(deadline 10)
        while :; do
            if grep -qx "$n" "$work/displayfd"; then
                display=":$n"
                break
            fi
            # Another server took the number between our look and its start: next one.
            if ! running "$(cat "$work/xvfb.pid")"; then
                wait "$(cat "$work/xvfb.pid")"
                rm -f "$work/xvfb.pid"
                break
            fi
            past "$end" && fail "Xvfb :$n did not come up within 10 s"
            sleep 0.05
        done
    fi
    n=$((n + 1))
done
[ -n "$display" ] || fail "no free X display between :140 and :239, or Xvfb does not start"
export DISPLAY=$display
xdotool getmouselocation >/dev/null 2>&1 || fail "xdotool cannot reach the X server $DISPLAY"
# Keys then reach only the window holding the focus, never one under the pointer.
xdotool mousemove 1279 1023 || fail "xdotool mousemove failed"
say "X server $DISPLAY"

# ---------------------------------------------------------------- windows and keys

MAIN="dovanel"
LEVEL="レベルの選択"
RESULTS="結果"

# The id of the visible window titled exactly $1. Titles are compared byte for byte:
# xdotool's own --name regex misjudges Japanese titles in a UTF-8 locale.
window_named() {
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        if [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

count_windows_named() {
    c=0
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && c=$((c + 1))
    done
    echo "$c"
}

# Polls in short steps; xdotool's own --sync waits half a second at a time.
wait_window() {
    end=$(deadline "$2")
    while :; do
        window_named "$1" && return 0
        past "$end" && return 1
        sleep 0.03
    done
}

wait_no_window() {
    end=$(deadline "$2")
    while window_named "$1" >/dev/null; do
        past "$end" && return 1
        sleep 0.03
    done
    return 0
}

# Without a window manager the focus is given, not asked for.
focus() {
    timeout 10 xdotool windowfocus --sync "$1" || fail "could not give the focus to window $1"
}

key_delay=50 # xdotool's --delay in ms; it keeps to about half of it per key
type_keys() {
    timeout 60 xdotool type --delay "$key_delay" -- "$1" || fail "xdotool type failed"
}

# ---------------------------------------------------------------- practice files

write_lines() {
    f=$1
    shift
    : >"$f"
    for line in "$@"; do printf '%s\r\n' "$line" >>"$f"; done
}

# Exactly five lines, so the block is the whole file. The third line ends in spaces, which
# the program trims. 117 characters besides spaces: with three misses that is 120 judged
# keys, a miss rate of exactly 2.5 %, which rounds to even (2); with five, 122 keys and
# 4.1 %, where one miss more or less would show (3 or 5).
M1="We go up to a red hill, as it is."
M2="If I am to be on it, so be it now!"
M3="Do not let a cat out of my bag.  "
M4="He and I sat by the old oak tree."
M5="Is it you? Yes, we go on, OK"
write_lines "$run/middle.txt" "$M1" "$M2" "$M3" "$M4" "$M5"
# Other levels' files differ, so a wrong file would show as misses.
write_lines "$run/beginner.txt" "aaa sss ddd" "fff jjj kkk" "lll ;;; aaa" "sss ddd fff" "jjj kkk lll"
write_lines "$run/advance.txt" "Zebra quartz vexing jumps" "Xylophone 1234 5678" "Mixed CASE words" \
    "Numbers 90 and 12" "Last line here"
# A stale numeric file: the program must write a fresh one when level 4 is chosen.
write_lines "$run/tenkey.txt" "stale" "stale" "stale" "stale" "stale"

# What a learner types: the text without its spaces (they are filled in for them).
typed_text() { printf '%s' "$1" | tr -d ' '; }
T1=$(typed_text "$M1")
T2=$(typed_text "$M2")
T3=$(typed_text "$M3")
T4=$(typed_text "$M4")
T5=$(typed_text "$M5")
typed_middle=$T1$T2$T3$T4$T5
mojicnt_middle=${#typed_middle}

first_char() { printf "%s" "${1%"${1#?}"}"; }
last_char() { printf "%s" "${1#"${1%?}"}"; }
inner_chars() {
    s=${1#?}
    printf "%s" "${s%?}"
}

# wrong_at TEXT POS KEY: TEXT with the wrong KEY typed before its character at POS (from 0).
wrong_at() {
    awk -v s="$1" -v p="$2" -v k="$3" 'BEGIN {
        if (p < 0 || p >= length(s) || substr(s, p + 1, 1) == k) exit 1
        printf "%s%s%s", substr(s, 1, p), k, substr(s, p + 1)
    }' || fail "test error: '$3' is no wrong key at $2 in $1"
}

# ---------------------------------------------------------------- settings seeded

slot_key() { printf '%s%%U56DE%%U76EE' "$1"; } # "N回目" as QSettings writes it
{
    for section in tokuten miss sokudo; do
        echo "[$section]"
        i=1
        while [ $i -le 10 ]; do
            echo "$(slot_key $i)=$((90 + i))"
            i=$((i + 1))
        done
        echo
    done
    # Level 3 is not played: its best must stay. Level 4's low best must be beaten.
    printf '[maxtokuten]\n3=5\n4=1\n\n[date]\n3=2001/01/01\n4=2001/01/02\n'
} >"$ini"

# ---------------------------------------------------------------- the program

stage="starting the program"
today_before=$(date +%Y/%m/%d)
(
    cd "$run" || exit 1
    unset QT_IM_MODULE XMODIFIERS QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI \
        QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_QPA_PLATFORMTHEME WAYLAND_DISPLAY
    XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 \
        "$prog" </dev/null >"$work/app.log" 2>&1 &
    echo $! >"$work/app.pid"
    wait $!
    echo $? >"$work/app.status"
) </dev/null >/dev/null 2>&1 &
wrapper_pid=$!

app_alive() { [ ! -f "$work/app.status" ]; }

stage="waiting for the main window"
main=$(wait_window "$MAIN" 20) || fail "the main window '$MAIN' did not appear"
stage="waiting for the level dialog at start"
level=$(wait_window "$LEVEL" 10) || fail "the level dialog did not open after start"

# choose_level DIGIT: answers the open level dialog.
choose_level() {
    focus "$level"
    type_keys "$1"
    timeout 10 xdotool key Return || fail "xdotool key failed"
    wait_no_window "$LEVEL" 10 || fail "the level dialog stayed open after '$1' and Return"
}

# run_block FIRST MIDDLE LAST: types a whole block into the main window. The first and
# the last key are typed apart so the run's clock can be bracketed from outside:
#   t0 before the first key .. t1 once the results window shows: longer than the run;
#   ta after the first key  .. tb before the last key: shorter (up to the program's lag).
# tc, after the last key, is only reported: the results window can take a second to show.
run_block() {
    check_overall
    echo "$stage: typing '$1$2$3'" >>"$work/timings"
    main=$(window_named "$MAIN") || fail "no main window"
    focus "$main"
    # A clock started by loading the block or by the focus, not by the first key, would
    # count this pause; it is longer than the slack of the timing bounds below.
    sleep 2.5
    t0=$(now)
    type_keys "$1"
    ta=$(now)
    type_keys "$2"
    tb=$(now)
    type_keys "$3"
    tc=$(now)
    results=$(wait_window "$RESULTS" 20) || fail "no results window after the last key of the block"
    t1=$(now)
    [ "$(count_windows_named "$RESULTS")" = 1 ] || fail "more than one results window"
    app_alive || fail "the program ended during the run"
    # The chart comes from a library the program opens from its own folder.
    grep -q '/dovanel-chart\.so$' "/proc/$(cat "$work/app.pid")/maps" ||
        fail "the results window has no chart: its library was not loaded"
    echo "$stage: t0=$t0 ta=$ta tb=$tb tc=$tc t1=$t1" >>"$work/timings"
}

# ---------------------------------------------------------------- run 1: level 2, 5 misses

stage="level 2 chosen at start"
choose_level 2

# Five misses: a wrong first key; a wrong key before the last one of line 1; a space where a
# letter is wanted; the small letter for the capital that starts line 4; the small letter
# for the capital that ends the block (taken for right, it would end the run a key early).
stage="run 1 (level 2)"
small=$(last_char "$T5" | tr "[:upper:]" "[:lower:]")
l1=$(wrong_at "$T1" $((${#T1} - 1)) ",") || exit 1
l1=$(wrong_at "$l1" 0 "#") || exit 1
l2=$(wrong_at "$T2" 2 " ") || exit 1
l4=$(wrong_at "$T4" 0 "h") || exit 1
l5=$(wrong_at "$T5" $((${#T5} - 1)) "$small") || exit 1
run1=$l1$l2$T3$l4$l5
run_block "$(first_char "$run1")" "$(inner_chars "$run1")" "$(last_char "$run1")"
r1="$mojicnt_middle 5 ${#run1} $t0 $ta $tb $t1"

# "r": the same level once more.
focus "$results"
type_keys r
wait_no_window "$RESULTS" 10 || fail "the results window stayed open after 'r'"

# ---------------------------------------------------------------- run 2: level 2, 3 misses

stage="run 2 (level 2, after r)"
# Three misses: a digit where line 2 starts, a sign inside line 3, a wrong letter in line 5.
l2=$(wrong_at "$T2" 0 "7") || exit 1
l3=$(wrong_at "$T3" 5 "#") || exit 1
l5=$(wrong_at "$T5" 4 "z") || exit 1
run2=$T1$l2$l3$T4$l5
# Typed slower, so this score should stay below run 1's and must not replace its best.
key_delay=100
run_block "$(first_char "$run2")" "$(inner_chars "$run2")" "$(last_char "$run2")"
key_delay=50
r2="$mojicnt_middle 3 ${#run2} $t0 $ta $tb $t1"

# "l": the level dialog comes back.
focus "$results"
type_keys l
wait_no_window "$RESULTS" 10 || fail "the results window stayed open after 'l'"
stage="waiting for the level dialog after l"
level=$(wait_window "$LEVEL" 10) || fail "the level dialog did not open after 'l'"

# ---------------------------------------------------------------- run 3: numbers, no miss

stage="level 4 chosen"
choose_level 4
# Written by the program: five lines of 15 groups of four digits, each group followed by
# one space (the last one is trimmed when read). Renamed into place, so never half there.
cr=$(printf '\r')
tenkey_ok() {
    [ "$(grep -c '' "$run/tenkey.txt")" = 5 ] &&
        [ "$(grep -Ec "^([0-9]{4} ){15}$cr\$" "$run/tenkey.txt")" = 5 ]
}
end=$(deadline 10)
until tenkey_ok; do
    past "$end" && fail "tenkey.txt was not rewritten as 5 lines of 15 groups of 4 digits"
    sleep 0.05
done
for f in "$run"/.tenkey*; do
    [ -e "$f" ] && fail "a temporary numeric file was left behind: $f"
done
digits=$(tr -d ' \r\n' <"$run/tenkey.txt")
[ ${#digits} -eq 300 ] || fail "tenkey.txt holds ${#digits} digits, not 300"
distinct=$(printf '%s' "$digits" | fold -w 1 | sort -u | wc -l)
[ "$distinct" -ge 5 ] || fail "tenkey.txt uses only $distinct different digits: not random"

stage="run 3 (level 4)"
run_block "$(first_char "$digits")" "$(inner_chars "$digits")" "$(last_char "$digits")"
r3="${#digits} 0 ${#digits} $t0 $ta $tb $t1"

# Where the main window is, to compare with the placement stored at quit.
eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
[ -n "${X:-}" ] && [ -n "${Y:-}" ] && [ -n "${WIDTH:-}" ] && [ -n "${HEIGHT:-}" ] ||
    fail "could not read the main window's geometry"

# "q": the program ends.
stage="quitting with q"
focus "$results"
type_keys q
end=$(deadline 15)
while app_alive; do
    past "$end" && fail "the program did not end within 15 s of 'q'"
    sleep 0.05
done
rm -f "$work/app.pid"
[ "$(cat "$work/app.status")" = 0 ] || fail "the program ended with status $(cat "$work/app.status")"
today_after=$(date +%Y/%m/%d)

# ---------------------------------------------------------------- the settings file

stage="checking the settings file"
[ -f "$ini" ] || fail "no settings file at $ini"
[ -e "$ini.damaged" ] && fail "the seeded settings file was taken for damaged"

# ini_get SECTION KEY: the value, or status 1 when the key is absent.
ini_get() {
    awk -v s="[$1]" -v k="$2" '
        /^\[/ { inside = ($0 == s); next }
        inside {
            i = index($0, "=")
            if (i > 0 && substr($0, 1, i - 1) == k) { print substr($0, i + 1); found = 1; exit }
        }
        END { exit !found }' "$ini"
}

int_value() {
    v=$(ini_get "$1" "$2") || fail "[$1] $2 is missing"
    printf '%s' "$v" | grep -Eqx -- '-?[0-9]+' || fail "[$1] $2 is not an integer: '$v'"
    echo "$v"
}

# round(100 * misses / keys), halves to even.
miss_rate() {
    q=$((100 * $1 / $2))
    r=$((100 * $1 % $2))
    if [ $((2 * r)) -gt "$2" ] || { [ $((2 * r)) -eq "$2" ] && [ $((q % 2)) -eq 1 ]; }; then
        q=$((q + 1))
    fi
    echo "$q"
}

# check_slot SLOT MOJICNT MISSES KEYS T0 TA TB T1: prints the slot's score.
check_slot() {
    slot=$1 moji=$2 misses=$3 keys=$4
    key=$(slot_key "$slot")
    [ "$keys" -eq $((moji + misses)) ] || fail "test error: slot $slot typed $keys keys"
    m=$(int_value miss "$key") || exit 1
    s=$(int_value sokudo "$key") || exit 1
    p=$(int_value tokuten "$key") || exit 1
    want_m=$(miss_rate "$misses" "$keys")
    [ "$m" -eq "$want_m" ] || fail "slot $slot: miss rate $m, expected $want_m ($misses misses in $keys keys)"
    [ "$p" -eq $((s - 7 * m)) ] || fail "slot $slot: score $p is not speed $s - 7 x miss rate $m"
    # The run lasted at most t1-t0 and at least tb-ta, less the program's lag on the first
    # key; the program rounds the time to 1/100 s and keeps it in a float.
    range=$(awk -v n="$moji" -v t0="$5" -v ta="$6" -v tb="$7" -v t1="$8" 'BEGIN {
        outer = t1 - t0 + 0.02
        inner = (tb - ta) * 0.97 - 0.1
        if (inner < 0.5) { print "bad"; exit }
        lo = 60 * n / outer; hi = 60 * n / inner
        printf "%d %d %.2f %.2f\n", int(lo), int(hi) + 1, inner, outer
    }')
    [ "$range" != bad ] || fail "slot $slot: the run was typed too fast to be timed"
    set -- $range
    [ "$s" -ge "$1" ] && [ "$s" -le "$2" ] ||
        fail "slot $slot: speed $s is outside $1..$2 for $moji characters typed in $3..$4 s"
    say "slot $slot: speed $s (expected $1..$2), miss rate $m %, score $p" >&2
    echo "$p"
}

p1=$(check_slot 1 $r1) || exit 1
p2=$(check_slot 2 $r2) || exit 1
p3=$(check_slot 3 $r3) || exit 1

# The first result of a session emptied all ten slots: the seeded ones must be gone.
i=4
while [ $i -le 10 ]; do
    for section in tokuten miss sokudo; do
        v=$(int_value $section "$(slot_key $i)") || exit 1
        [ "$v" -eq 0 ] || fail "[$section] slot $i holds $v, expected 0 (slots are cleared at the first result)"
    done
    i=$((i + 1))
done

is_today() { [ "$1" = "$today_before" ] || [ "$1" = "$today_after" ]; }

# best_is LEVEL SCORE SEEDED_SCORE SEEDED_DATE: the stored best after scoring SCORE.
best_is() {
    if [ "$2" -gt "$3" ]; then
        b=$(int_value maxtokuten "$1") || exit 1
        [ "$b" -eq "$2" ] || fail "[maxtokuten] $1 is $b, expected $2"
        d=$(ini_get date "$1") || fail "[date] $1 is missing"
        is_today "$d" || fail "[date] $1 is '$d', expected today ($today_after)"
    elif [ -n "$4" ]; then
        [ "$(ini_get maxtokuten "$1")" = "$3" ] || fail "[maxtokuten] $1 changed without a better score"
        [ "$(ini_get date "$1")" = "$4" ] || fail "[date] $1 changed without a better score"
    else
        ini_get maxtokuten "$1" >/dev/null && fail "[maxtokuten] $1 was written for score $2"
    fi
    return 0
}
best2=$p1
[ "$p2" -gt "$best2" ] && best2=$p2
best_is 2 "$best2" 0 ""
best_is 4 "$p3" 1 "2001/01/02"
ini_get maxtokuten 1 >/dev/null && fail "[maxtokuten] 1 was written, level 1 was never played"
ini_get date 1 >/dev/null && fail "[date] 1 was written, level 1 was never played"
[ "$(ini_get maxtokuten 3)" = 5 ] && [ "$(ini_get date 3)" = 2001/01/01 ] ||
    fail "level 3's best changed, level 3 was never played"

# Placement at quit: the window's outer bounds in twips (15 per pixel). Without a window
# manager there is no frame, so they are the X window's own. It was centred at start.
left=$(int_value settings mainleft) || exit 1
top=$(int_value settings maintop) || exit 1
width=$(int_value settings mainwidth) || exit 1
height=$(int_value settings mainheight) || exit 1
[ "$left" -eq $((X * 15)) ] && [ "$top" -eq $((Y * 15)) ] ||
    fail "stored position $left,$top twips; the window was at $X,$Y px"
[ "$width" -eq $((WIDTH * 15)) ] && [ "$height" -eq $((HEIGHT * 15)) ] ||
    fail "stored size ${width}x$height twips; the window was ${WIDTH}x$HEIGHT px"
[ "$width" -ge 15240 ] && [ "$height" -ge 10710 ] ||
    fail "stored size ${width}x$height twips is smaller than the 15240x10710 client area"
dx=$((2 * X + WIDTH - 1280))
dy=$((2 * Y + HEIGHT - 1024))
[ "$dx" -ge -2 ] && [ "$dx" -le 2 ] && [ "$dy" -ge -2 ] && [ "$dy" -le 2 ] ||
    fail "the main window at $X,$Y (${WIDTH}x$HEIGHT) is not centred on the 1280x1024 screen"

say "passed: scores $p1, $p2 (level 2) and $p3 (level 4)"
