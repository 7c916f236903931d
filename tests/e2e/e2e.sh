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

cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
. "$(dirname "$0")/xsession.sh"
start_x

# Five lines, so the block is the whole file; spaces are filled in for the learner.
for line in "ab cd" "ef gh" "ij kl" "mn op" "qr st"; do printf '%s\r\n' "$line"; done \
    >"$work/run/middle.txt"
block=abcdefghijklmnopqrst

start_program

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
ended || fail "q did not end the program"
[ -n "$(setting settings mainwidth)" ] || fail "the window placement was not stored"
[ "$(setting miss '3%U56DE%U76EE')" = 0 ] || fail "the third run is not in slot 3"
echo "e2e: passed"
