#!/bin/sh
# check.sh BUILD SOURCE VERSION: installs the build into a temporary prefix, starts the
# installed launcher twice with a stand-in for the program, and builds the Debian package.
set -u
build=$1 source=$2 version=$3
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
failed=0
check() { # check DESCRIPTION COMMAND...
    what=$1
    shift
    "$@" || { failed=$((failed + 1)) && echo "FAIL: $what" >&2; }
}

# A space and a quote in the prefix: the launcher must still name its files right.
prefix="$tmp/pre fix'q"
cmake --install "$build" --prefix "$prefix" >"$tmp/log" 2>&1 || { cat "$tmp/log" >&2 && exit 1; }
share=$prefix/share
check "program installed" [ -x "$prefix/libexec/dovanel" ]
check "chart library beside the program" [ -f "$prefix/libexec/dovanel-chart.so" ]
for f in beginner.txt middle.txt advance.txt help/index.html; do
    check "$f installed" cmp -s "$source/data/$f" "$share/dovanel/$f"
done
check "desktop entry valid" desktop-file-validate "$share/applications/io.github.dovanel.desktop"
check "metainfo valid" appstreamcli validate --no-net "$share/metainfo/io.github.dovanel.metainfo.xml"
check "icon installed" [ -s "$share/icons/hicolor/scalable/apps/dovanel.svg" ]

# The launcher, with a stand-in that records where it ran and with which arguments.
printf '#!/bin/sh\n{ pwd -P; printf "%%s\\n" "$@"; } >"$RECORD"\nexit 3\n' >"$prefix/libexec/dovanel"
launch() { HOME=$tmp/home XDG_DATA_HOME=$tmp/data RECORD=$tmp/record "$prefix/bin/dovanel" "$@"; }
work=$tmp/data/dovanel
launch --first "two words"
check "the program's status passed on" [ $? -eq 3 ]
check "first start: program run in the per-user folder with the arguments" \
    [ "$(cat "$tmp/record")" = "$(printf '%s\n%s\n%s' "$work" --first "two words")" ]
check "first start: a private folder" [ "$(stat -c %a "$work")" = 700 ]
check "first start: the three texts, editable" \
    sh -c 'for f in beginner middle advance; do [ -w "$1/$f.txt" ] || exit 1; done' sh "$work"
printf 'my own line\r\n' >>"$work/middle.txt"
cp "$work/middle.txt" "$tmp/edited"
rm "$work/beginner.txt"
printf 'own text\n' >"$tmp/notes.txt"
(cd "$tmp" && launch notes.txt)
check "second start: a text named from the caller's folder is found from the program's" \
    [ "$(sed -n 2p "$tmp/record")" = "$tmp/notes.txt" ]
check "second start: an edited text is kept" cmp -s "$tmp/edited" "$work/middle.txt"
check "second start: a deleted text comes back" cmp -s "$source/data/beginner.txt" "$work/beginner.txt"
check "second start: nothing else written" [ "$(ls -A "$work" | wc -l)" -eq 3 ]

# The package: what it holds, what it needs and its licence.
(cd "$build" && cpack -G DEB -B "$tmp/deb") >"$tmp/log" 2>&1 || { cat "$tmp/log" >&2 && exit 1; }
deb=$(ls "$tmp/deb"/dovanel_"$version"_*.deb) || exit 1
depends=$(dpkg-deb -f "$deb" Depends)
for dep in fonts-ipafont-gothic qt6-qpa-plugins libqt6sql6-sqlite libcanberra0 libqt6widgets6 \
    libqt6charts6; do
    check "depends on $dep" sh -c 'echo "$1" | grep -q "\(^\|, \)$2\b"' sh "$depends" "$dep"
done
dpkg-deb -x "$deb" "$tmp/root"
check "package launcher runs /usr/libexec/dovanel" \
    grep -qxF "program=\${DOVANEL_PROGRAM:-'/usr/libexec/dovanel'}" "$tmp/root/usr/bin/dovanel"
check "package states its licence" \
    grep -qxF "License: GPL-3.0-or-later" "$tmp/root/usr/share/doc/dovanel/copyright"
check "packaged program stripped" sh -c '! readelf -S "$1" | grep -q debug_info' sh \
    "$tmp/root/usr/libexec/dovanel"
[ "$failed" -eq 0 ]
