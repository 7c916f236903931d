#!/bin/sh
# check-install.sh BUILD SOURCE VERSION BINDIR LIBEXECDIR DATADIR
# Installs the build into a temporary prefix, checks what lands there, then runs the
# installed launcher with a stand-in for the program.
set -u
build=$1 source=$2 version=$3 bindir=$4 libexecdir=$5 datadir=$6

tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
# A space and a quote in the prefix: the launcher must still name its files right.
prefix="$tmp/pre fix'q"
failed=0 passed=0

check() { # check DESCRIPTION COMMAND...
    what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what" >&2
    fi
}
same() { cmp -s -- "$1" "$2"; }
has_line() { grep -qxF -- "$2" "$1"; }
mode() { stat -c %a -- "$1"; }

if ! cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

share=$prefix/$datadir
program=$prefix/$libexecdir/dovanel
launcher=$prefix/$bindir/dovanel

# The tree.
check "program is an executable ELF file" \
    sh -c '[ -f "$1" ] && [ -x "$1" ] && [ "$(head -c 4 "$1" | od -An -c | tr -d " ")" = "177ELF" ]' \
    sh "$program"
check "chart library beside the program" [ -f "$prefix/$libexecdir/dovanel-chart.so" ]
check "launcher is an executable sh script" \
    sh -c '[ -f "$1" ] && [ -x "$1" ] && [ "$(head -n 1 "$1")" = "#!/bin/sh" ]' sh "$launcher"
check "launcher has every placeholder filled" sh -c '! grep -q "@[A-Z_]*@" "$1"' sh "$launcher"
check "launcher parses" sh -n "$launcher"
for name in beginner.txt middle.txt advance.txt; do
    check "$name installed unchanged" same "$source/data/$name" "$share/dovanel/$name"
done
check "help page installed unchanged" same "$source/data/help/index.html" \
    "$share/dovanel/help/index.html"
# Where the About dialog looks, seen from the program's own folder.
check "help page found from the program's folder" \
    same "$source/data/help/index.html" "$prefix/$libexecdir/../share/dovanel/help/index.html"

desktop=$share/applications/io.github.dovanel.desktop
check "desktop entry starts the launcher" has_line "$desktop" "Exec=dovanel"
check "desktop entry names the icon" has_line "$desktop" "Icon=dovanel"
check "desktop entry is an application" has_line "$desktop" "Type=Application"
check "desktop entry is not for a terminal" has_line "$desktop" "Terminal=false"
check "desktop entry is filed under Education" has_line "$desktop" "Categories=Education;Qt;"
check "desktop entry has a Japanese name" grep -q "^Name\[ja\]=." "$desktop"
check "desktop entry has a Japanese comment" grep -q "^Comment\[ja\]=." "$desktop"
check "desktop entry has an English comment" grep -q "^Comment=." "$desktop"
icon=$share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$desktop").svg
check "the Icon name is an installed SVG" grep -q "<svg" "$icon"
check "icon installed unchanged" same "$source/packaging/dovanel.svg" "$icon"

metainfo=$share/metainfo/io.github.dovanel.metainfo.xml
check "metainfo launches the installed desktop entry" \
    grep -qF '<launchable type="desktop-id">io.github.dovanel.desktop</launchable>' "$metainfo"
check "metainfo lists this version" grep -qF "<release version=\"$version\"" "$metainfo"
if command -v desktop-file-validate >/dev/null 2>&1; then
    check "desktop-file-validate" desktop-file-validate "$desktop"
else
    echo "note: desktop-file-validate missing, desktop entry not validated"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    check "appstreamcli validate" sh -c 'appstreamcli validate --no-net "$1" >/dev/null' sh "$metainfo"
else
    echo "note: appstreamcli missing, metainfo not validated"
fi

# The launcher. A stand-in takes the installed program's place and records where it ran,
# with which arguments, and exits with a status of its own.
record=$tmp/record
fake=$tmp/fake-program
cat >"$fake" <<'FAKE'
#!/bin/sh
{ pwd -P; printf '%s\n' "$@"; } >"$DOVANEL_TEST_RECORD"
exit 3
FAKE
chmod +x "$fake"
cp -- "$program" "$tmp/real-program"
cp -- "$fake" "$program"

home=$tmp/home
mkdir -p "$home"
xdg=$tmp/xdg
work=$xdg/dovanel
run() { # run XDG_DATA_HOME ARGS...: the launcher's status
    data_home=$1
    shift
    rm -f "$record"
    HOME=$home XDG_DATA_HOME=$data_home DOVANEL_TEST_RECORD=$record \
        "$launcher" "$@" 2>"$tmp/stderr"
}
recorded() { # recorded DIR ARGS...: the stand-in ran in DIR with these arguments
    dir=$(cd "$1" && pwd -P) || return 1
    shift
    { printf '%s\n' "$dir"; printf '%s\n' "$@"; } >"$tmp/expected"
    same "$tmp/expected" "$record"
}

# First start: the folder is made, private, with the three texts.
run "$xdg" --first "two words" ""
check "launcher passes the program's exit status" [ $? -eq 3 ]
check "first start ran the installed program in the per-user folder with the arguments" \
    recorded "$work" --first "two words" ""
check "per-user folder is private" [ "$(mode "$work")" = 700 ]
for name in beginner.txt middle.txt advance.txt; do
    check "first start copied $name" same "$source/data/$name" "$work/$name"
    check "the copy of $name can be edited" [ -w "$work/$name" ]
done
check "nothing else is written there" [ "$(ls -A "$work" | wc -l)" -eq 3 ]

# The user edits one text, deletes another and puts a link that leads nowhere in place of
# the third.
printf 'my own line\r\n' >>"$work/middle.txt"
cp -- "$work/middle.txt" "$tmp/edited"
rm -- "$work/beginner.txt"
rm -- "$work/advance.txt"
ln -s "$tmp/nowhere/advance.txt" "$work/advance.txt"
mkdir "$tmp/nowhere"

run "$xdg" second
check "second start ran in the per-user folder with the arguments" recorded "$work" second
check "an edited text is kept" same "$tmp/edited" "$work/middle.txt"
check "a deleted text is restored" same "$source/data/beginner.txt" "$work/beginner.txt"
check "a link of a text's name stays a link" [ -L "$work/advance.txt" ]
check "nothing is written through that link" [ ! -e "$tmp/nowhere/advance.txt" ]
check "no partial copies are left" [ "$(ls -A "$work" | wc -l)" -eq 3 ]

# Unset, empty and relative XDG_DATA_HOME all mean ~/.local/share.
run "" empty
check "empty XDG_DATA_HOME means ~/.local/share" recorded "$home/.local/share/dovanel" empty
rm -rf "$home/.local"
(cd "$tmp" && run "relative" rel)
check "relative XDG_DATA_HOME means ~/.local/share" recorded "$home/.local/share/dovanel" rel
check "nothing is made under a relative XDG_DATA_HOME" [ ! -e "$tmp/relative" ]
rm -rf "$home/.local"
rm -f "$record"
env -u XDG_DATA_HOME HOME="$home" DOVANEL_TEST_RECORD="$record" "$launcher" unset
check "unset XDG_DATA_HOME means ~/.local/share" recorded "$home/.local/share/dovanel" unset
check "texts are copied there" same "$source/data/advance.txt" "$home/.local/share/dovanel/advance.txt"

# DOVANEL_PROGRAM runs another program in its place.
cp -- "$tmp/real-program" "$program"
other=$tmp/other-program
sed 's/exit 3/exit 0/' "$fake" >"$other"
chmod +x "$other"
rm -f "$record"
HOME=$home XDG_DATA_HOME=$xdg DOVANEL_TEST_RECORD=$record DOVANEL_PROGRAM=$other "$launcher" x
check "DOVANEL_PROGRAM replaces the program" [ $? -eq 0 ]
check "DOVANEL_PROGRAM ran in the per-user folder" recorded "$work" x

# A text that cannot be copied is reported, and the program still starts to say which.
cp -- "$fake" "$program"
rm -- "$share/dovanel/advance.txt"
run "$tmp/fresh" missing
check "a text that cannot be copied still starts the program" recorded "$tmp/fresh/dovanel" missing
check "the failed copy is reported" grep -q "advance.txt" "$tmp/stderr"
check "a failed copy leaves no file behind" [ "$(ls -A "$tmp/fresh/dovanel" | wc -l)" -eq 2 ]

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
