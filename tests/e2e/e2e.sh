#!/bin/sh
# One learner's session with the real program on a private X server: the level dialog at
# start, a block typed with a miss, the results window and its keys r, l and q, and the
# settings file the session leaves behind. The figures themselves are the unit tests' job;
# this proves the windows, the keyboard and the files meet.
#
# Usage: e2e.sh /path/to/dovanel      (needs xvfb, xdotool; no window manager)
set -u
prog=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/dovanel-e2e.XXXXXX") || exit 1
ini=$work/config/dovanel/dovanel.ini
mkdir -p "$work/run" "$work/config" "$work/data" "$work/runtime" && chmod 700 "$work/runtime"

fail() {
    echo "e2e: FAIL: $*" >&2
    sed 's/^/  ini: /' "$ini" >&2 2>/dev/null
    sed 's/^/  log: /' "$work/app.log" >&2 2>/dev/null
    exit 1
}
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
DISPLAY=:$(cat "$work/display")
export DISPLAY

# The visible window titled exactly $1 (compared byte for byte: xdotool's own matching
# misreads Japanese in some locales); `window` waits up to 10 s for it, `gone` for its end.
shown() {
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        [ "$(xdotool getwindowname "$w")" = "$1" ] && echo "$w" && return 0
    done
    return 1
}
window() { for _ in $(seq 200); do shown "$1" && return 0; sleep 0.05; done; return 1; }
gone() { for _ in $(seq 200); do shown "$1" >/dev/null || return 0; sleep 0.05; done; return 1; }
# Without a window manager the focus is given, not taken.
typein() {
    w=$(window "$1") || fail "no window '$1'"
    xdotool windowfocus --sync "$w" && xdotool type --delay 30 -- "$2" || fail "typing '$2'"
}
setting() { sed -n "/^\[$1\]/,/^\[/p" "$ini" | sed -n "s/^$2=//p"; }

# Five lines, so the block is the whole file; spaces are filled in for the learner.
for line in "ab cd" "ef gh" "ij kl" "mn op" "qr st"; do printf '%s\r\n' "$line"; done \
    >"$work/run/middle.txt"
block=abcdefghijklmnopqrst

(cd "$work/run" && exec env XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 "$prog") \
    >"$work/app.log" 2>&1 &
app=$!

typein "レベルの選択" "2"
xdotool key Return
gone "レベルの選択" || fail "the level dialog stayed open"
sleep 0.3 # the main window's first tick puts the caret in line 1
typein dovanel "x$block" # one wrong key first
window "結果" >/dev/null || fail "no results window after the block"
grep -q '/dovanel-chart\.so$' "/proc/$app/maps" || fail "the chart library was not loaded"
[ "$(setting miss '1%U56DE%U76EE')" = 5 ] || fail "1 miss in 21 keys is not stored as 5 %"
[ "$(setting maxtokuten 2)" = "$(setting tokuten '1%U56DE%U76EE')" ] || fail "no best for level 2"

typein "結果" r
gone "結果" || fail "r left the results window open"
sleep 0.3
typein dovanel "$block"
window "結果" >/dev/null || fail "no results window after the second block"
[ "$(setting miss '2%U56DE%U76EE')" = 0 ] || fail "the second run is not in slot 2"

typein "結果" l
typein "レベルの選択" "2"
xdotool key Return
sleep 0.3
typein dovanel "$block"
typein "結果" q
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "q did not end the program"
app=
[ -n "$(setting settings mainwidth)" ] || fail "the window placement was not stored"
[ "$(setting miss '3%U56DE%U76EE')" = 0 ] || fail "the third run is not in slot 3"
echo "e2e: passed"
