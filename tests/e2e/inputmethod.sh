#!/bin/sh
# A Japanese learner's desktop: mozc switched on in hiragana under fcitx5 or IBus, the program
# started with the QT_IM_MODULE those desktops set. The level is chosen with a digit and Enter
# and two blocks are typed, a wrong key, the yen key and the ろ key among them, as if no input
# method were there. A plain line edit in the same session must compose first, or the session
# proves nothing.
#
# Usage: inputmethod.sh fcitx5|ibus /path/to/dovanel /path/to/dovanel_improbe
# mozc will not run as root, so as root the session runs as nobody, in a directory of its own.
set -u
framework=$1

if [ "${DOVANEL_IM_SESSION:-}" != 1 ]; then
    work=$(mktemp -d "${TMPDIR:-/tmp}/dovanel-im.XXXXXX") || exit 1
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/bin" "$work/home"
    cp "$2" "$(dirname "$2")/dovanel-chart.so" "$3" "$0" "$(dirname "$0")/xsession.sh" \
        "$work/bin/" || exit 1
    user=""
    if [ "$(id -u)" = 0 ]; then
        chown -R nobody:nogroup "$work"
        user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
    fi
    $user env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work" DOVANEL_IM_SESSION=1 \
        dbus-run-session -- sh "$work/bin/inputmethod.sh" "$framework" "$work"
    exit $?
fi

work=$2
prog=$work/bin/dovanel
# The user's own configuration folder, where IBus also keeps the address of its bus.
config=$HOME/.config
ini=$config/dovanel/dovanel.ini
mkdir -p "$work/run" "$config" "$work/data" "$work/runtime" && chmod 700 "$work/runtime"
cleanup() {
    for pid in ${app:-} ${probe:-} ${daemon:-} ${xvfb:-}; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
. "$work/bin/xsession.sh"
start_x

case $framework in
fcitx5)
    module=fcitx
    mkdir -p "$HOME/.config/fcitx5"
    printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=jp' 'DefaultIM=mozc' '' \
        '[Groups/0/Items/0]' 'Name=keyboard-jp' '' '[Groups/0/Items/1]' 'Name=mozc' '' \
        '[GroupOrder]' '0=Default' >"$HOME/.config/fcitx5/profile"
    printf '%s\n' '[Behavior]' 'ActiveByDefault=True' 'ShareInputState=All' \
        >"$HOME/.config/fcitx5/config"
    fcitx5 -r >"$work/fcitx5.log" 2>&1 &
    daemon=$!
    ;;
ibus)
    module=ibus
    mkdir -p "$HOME/.config/mozc"
    printf '%s\n' 'engines {' '  name: "mozc-jp"' '  longname: "Mozc"' '  layout: "default"' \
        '  rank: 80' '}' 'active_on_launch: True' >"$HOME/.config/mozc/ibus_config.textproto"
    ibus-daemon -r >"$work/ibus.log" 2>&1 &
    daemon=$!
    for _ in $(seq 100); do ibus engine mozc-jp 2>/dev/null && break; sleep 0.1; done
    ;;
*) fail "unknown framework $framework" ;;
esac

# The control: in a plain line edit the engine turns "a" into "あ".
QT_IM_MODULE=$module LC_ALL=C.UTF-8 "$work/bin/dovanel_improbe" >"$work/probe.out" 2>&1 &
probe=$!
focus improbe
for _ in $(seq 40); do
    grep -q 'preedit=あ' "$work/probe.out" && break
    xdotool type a
    sleep 0.25
done
grep -q 'preedit=あ' "$work/probe.out" || fail "$framework with mozc never composed in a line edit"
kill "$probe" && probe=

# Five lines, so the block is the whole file; spaces are filled in for the learner.
printf '%s\r\n' "ab cd" 'e\f g' 'h\i' "jk" "lm" >"$work/run/middle.txt"
# The block from its first key on: the backslashes from the yen key and the ろ key.
typeblock() {
    focus dovanel
    xdotool type --delay 30 "$1abcde" && xdotool key 132 && xdotool type --delay 30 fgh &&
        xdotool key 97 && xdotool type --delay 30 ijklm || fail "typing the block"
}

start_program QT_IM_MODULE=$module
window "レベルの選択" >/dev/null || fail "no level dialog"
sleep 1 # an input method takes a new window over a moment after it shows
typein "レベルの選択" 2
xdotool key Return
gone "レベルの選択" || fail "the level dialog stayed open: the input method took the digit"
sleep 0.3 # the main window's first tick puts the caret in line 1
typeblock x
window "結果" >/dev/null || fail "no results window: the input method took the practice keys"
[ "$(setting miss '1%U56DE%U76EE')" = 6 ] || fail "1 miss in 16 keys is not stored as 6 %"
typein "結果" r
gone "結果" || fail "r left the results window open"
sleep 0.3
typeblock ""
window "結果" >/dev/null || fail "no results window after the second block"
[ "$(setting miss '2%U56DE%U76EE')" = 0 ] || fail "the second block did not end with miss 0"
typein "結果" q
ended || fail "q did not end the program"
echo "e2e ($framework): passed"
