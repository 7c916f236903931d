#!/bin/sh
# Makes the README's screenshots from the real program under Xvfb:
#   docs/main-window.png and docs/results-window.png
# Needs: build/dovanel (make build), xvfb, xdotool, imagemagick.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
program="$root/build/dovanel"
[ -x "$program" ] || { echo "build the program first: make build" >&2; exit 1; }

display=160
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
work=$(mktemp -d)
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $pid $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT INT TERM
export DISPLAY=":$display"
export XDG_CONFIG_HOME="$work/config"
export XDG_DATA_HOME="$work/data"
cp "$root"/data/*.txt "$work"/

# Waits up to five seconds for a window with this title and prints its id.
window() {
    i=0
    while [ $i -lt 50 ]; do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
        i=$((i + 1))
    done
    echo "no window '$1'" >&2
    return 1
}

# A fixed five-line block, so the pictures stay the same from run to run.
printf '%s\r\n' "Kyou wa ii tenki desu ne." "Let's practise typing every day." \
    "Sakura no hana ga saite imasu." "Practice makes perfect!" \
    "Mainichi sukoshi zutsu renshuu shimashou." > "$work/middle.txt"

cd "$work"
"$program" >/dev/null 2>&1 &
pid=$!
level=$(window "レベルの選択")
xdotool windowfocus --sync "$level"
xdotool type --delay 40 2
xdotool key Return
main=$(window dovanel)
sleep 0.5
xdotool windowfocus --sync "$main"
xdotool type --delay 40 "Kyouwaiitenkidesune.Let'spra"
sleep 1.2
import -window "$main" "$root/docs/main-window.png"
xdotool type --delay 25 "ctisetypingeveryday.Sakuranohanagasaiteimasu.Practicemakesperfect!"
xdotool type --delay 25 "Mainichisukoshizutsurenshuushimashou."
results=$(window "結果")
sleep 0.8
import -window "$results" "$root/docs/results-window.png"
xdotool key --window "$results" q || true
echo "wrote docs/main-window.png and docs/results-window.png"
