# Sourced by the end-to-end tests: a private X server with the JIS keymap, and windows found
# by their exact titles. The caller sets $work, a directory of its own, before sourcing.

fail() {
    echo "e2e: FAIL: $*" >&2
    [ -n "${ini:-}" ] && sed 's/^/  ini: /' "$ini" >&2 2>/dev/null
    for f in "$work"/*.log; do [ -s "$f" ] && sed "s|^|  $(basename "$f"): |" "$f" >&2; done
    exit 1
}

# Starts Xvfb on a free display and exports DISPLAY; its pid is in $xvfb.
start_x() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    # Keycode 132 is the yen key, 97 the ろ key.
    setxkbmap -model jp106 -layout jp || fail "no JIS keymap"
}

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
focus() {
    w=$(window "$1") || fail "no window '$1'"
    xdotool windowfocus --sync "$w" || fail "cannot focus '$1'"
}
typein() { focus "$1" && xdotool type --delay 30 -- "$2" || fail "typing '$2'"; }

# The value of key $2 in section $1 of the settings file $ini.
setting() { sed -n "/^\[$1\]/,/^\[/p" "$ini" | sed -n "s/^$2=//p"; }

# The program started in $work/run, its pid in $app; extra environment as arguments. Its
# settings go to $config, $work/config unless the caller says otherwise.
start_program() {
    (cd "$work/run" && exec env XDG_CONFIG_HOME="${config:-$work/config}" XDG_DATA_HOME="$work/data" \
        XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 "$@" "$prog") \
        >"$work/app.log" 2>&1 &
    app=$!
}

# Waits up to 10 s for the program to end by itself.
ended() {
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || { app= && return 0; }; sleep 0.1; done
    return 1
}
