#!/bin/sh
# One learner's session with the real program on a private X server with the JIS keymap: the
# level chosen with a digit and Enter, a block typed with a wrong key, the yen key and the ろ
# key, the results window and its keys r, l and q, and the settings file left behind. With
# fcitx5 or IBus the session is a Japanese desktop's: mozc switched on in hiragana and the
# program started with the QT_IM_MODULE those desktops set; the keys must still arrive as
# keys. A plain line edit in the same session must compose first, or it proves nothing.
#
# Usage: e2e.sh none|fcitx5|ibus /path/to/dovanel /path/to/dovanel_improbe
# mozc will not run as root, so as root the session runs as nobody, in a directory of its own.
set -u
framework=$1

if [ "${DOVANEL_E2E_SESSION:-}" != 1 ]; then
    work=$(mktemp -d "${TMPDIR:-/tmp}/dovanel-e2e.XXXXXX") || exit 1
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/bin" "$work/home"
    cp "$2" "$(dirname "$2")/dovanel-chart.so" "$3" "$0" "$work/bin/" || exit 1
    user=""
    if [ "$(id -u)" = 0 ]; then
        chown -R nobody:nogroup "$work"
        user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
    fi
    $user env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work" DOVANEL_E2E_SESSION=1 \
        dbus-run-session -- sh "$work/bin/e2e.sh" "$framework" "$work"
    exit $?
fi

work=$2
# The user's own configuration folder, where IBus also keeps the address of its bus.
config=$HOME/.config
ini=$config/dovanel/dovanel.ini
mkdir -p "$work/run" "$config" "$work/data" "$work/runtime" && chmod 700 "$work/runtime"
fail() {
    echo "e2e ($framework): FAIL: $*" >&2
    sed 's/^/  ini: /' "$ini" >&2 2>/dev/null
    for f in "$work"/*.log; do [ -s "$f" ] && sed "s|^|  $(basename "$f"): |" "$f" >&2; done
    exit 1
}
trap 'for pid in ${app:-} ${probe:-} ${daemon:-} ${xvfb:-}; do kill "$pid" 2>/dev/null; done' EXIT
trap 'exit 1' INT TERM HUP

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")
setxkbmap -model jp106 -layout jp || fail "no JIS keymap" # keycode 132: yen key, 97: ろ key

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
focus() { w=$(window "$1") && xdotool windowfocus --sync "$w" || fail "cannot focus '$1'"; }
typein() { focus "$1" && xdotool type --delay 30 -- "$2" || fail "typing '$2'"; }
setting() { sed -n "/^\[$1\]/,/^\[/p" "$ini" | sed -n "s/^$2=//p"; }

module=""
case $framework in
none) ;;
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
*) fail "unknown framework" ;;
esac

if [ -n "$module" ]; then
    # The control: in a plain line edit the engine turns "a" into "あ".
    QT_IM_MODULE=$module LC_ALL=C.UTF-8 "$work/bin/dovanel_improbe" >"$work/probe.out" 2>&1 &
    probe=$!
    focus improbe
    for _ in $(seq 40); do
        grep -q 'preedit=あ' "$work/probe.out" && break
        xdotool type a
        sleep 0.25
    done
    grep -q 'preedit=あ' "$work/probe.out" || fail "mozc never composed in a plain line edit"
    kill "$probe" && probe=
fi

# Five lines, so the block is the whole file; spaces are filled in for the learner.
printf '%s\r\n' "ab cd" 'e\f g' 'h\i' "jk" "lm" >"$work/run/middle.txt"
# The block from its first key on: the backslashes from the yen key and the ろ key.
typeblock() {
    focus dovanel
    xdotool type --delay 30 "$1abcde" && xdotool key 132 && xdotool type --delay 30 fgh &&
        xdotool key 97 && xdotool type --delay 30 ijklm || fail "typing the block"
}
# The level dialog, a moment after it shows, as an input method takes a new window over.
chooselevel() {
    window "レベルの選択" >/dev/null || fail "no level dialog"
    sleep 1
    typein "レベルの選択" 2
    xdotool key Return
    gone "レベルの選択" || fail "the level dialog stayed open: the digit was not taken"
    sleep 0.3 # the main window's first tick puts the caret in line 1
}
slot() { setting "$1" "$2%U56DE%U76EE"; } # "n回目"

(cd "$work/run" && exec env XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 QT_IM_MODULE=$module \
    "$work/bin/dovanel") >"$work/app.log" 2>&1 &
app=$!

chooselevel
typeblock x
window "結果" >/dev/null || fail "no results window: the practice keys did not all arrive"
grep -q '/dovanel-chart\.so$' "/proc/$app/maps" || fail "the chart library was not loaded"
[ "$(slot miss 1)" = 6 ] || fail "1 miss in 16 keys is not stored as 6 %"
[ "$(setting maxtokuten 2)" = "$(slot tokuten 1)" ] || fail "no best for level 2"

typein "結果" r
gone "結果" || fail "r left the results window open"
sleep 0.3
typeblock ""
window "結果" >/dev/null || fail "no results window after the second block"
[ "$(slot miss 2)" = 0 ] || fail "the second block did not end with miss 0"

typein "結果" l
chooselevel
typeblock ""
typein "結果" q
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "q did not end the program"
app=
[ -n "$(setting settings mainwidth)" ] || fail "the window placement was not stored"
[ "$(slot miss 3)" = 0 ] || fail "the third run is not in slot 3"
echo "e2e ($framework): passed"
