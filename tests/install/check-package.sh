#!/bin/sh
# check-package.sh BUILD SOURCE VERSION
# Builds the Debian package as `make package` does, into a temporary folder, and checks it.
set -u
build=$1 source=$2 version=$3

tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
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

if ! (cd "$build" && cpack -G DEB -B "$tmp/out") >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log" >&2
    echo "FAIL: cpack" >&2
    exit 1
fi

deb=$tmp/out/dovanel_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    ls -l "$tmp/out" >&2
    echo "FAIL: no $deb" >&2
    exit 1
fi

field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
depends_on() { printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qxF "$1"; }
check "package name" [ "$(field Package)" = dovanel ]
check "package version" [ "$(field Version)" = "$version" ]
check "section" [ "$(field Section)" = education ]
check "maintainer" [ -n "$(field Maintainer)" ]
check "depends on the IPA Gothic font" depends_on fonts-ipafont-gothic
check "depends on the Qt platform plugins" depends_on qt6-qpa-plugins
check "depends on the event-sound library" depends_on libcanberra0
# These come only from dpkg-shlibdeps reading the program.
for lib in libqt6core6 libqt6widgets6 libqt6charts6 libc6; do
    check "depends on $lib" depends_on "$lib"
done

dpkg-deb -c "$deb" | awk '{ print $NF }' >"$tmp/contents"
for path in ./usr/bin/dovanel ./usr/libexec/dovanel ./usr/libexec/dovanel-chart.so \
    ./usr/share/dovanel/beginner.txt \
    ./usr/share/dovanel/middle.txt ./usr/share/dovanel/advance.txt \
    ./usr/share/dovanel/help/index.html ./usr/share/applications/io.github.dovanel.desktop \
    ./usr/share/metainfo/io.github.dovanel.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/dovanel.svg; do
    check "package holds $path" grep -qxF "$path" "$tmp/contents"
done
check "nothing outside /usr" sh -c '! grep -v "^\./usr/\|^\./$" "$1"' sh "$tmp/contents"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
# The launcher must name where the package puts things, not CPack's staging folder.
check "launcher runs /usr/libexec/dovanel" \
    grep -qxF "program=\${DOVANEL_PROGRAM:-'/usr/libexec/dovanel'}" "$root/usr/bin/dovanel"
check "launcher copies texts from /usr/share/dovanel" \
    grep -qxF "texts='/usr/share/dovanel'" "$root/usr/bin/dovanel"
check "packaged program carries no debug information" \
    sh -c '! readelf -S "$1" | grep -q "\.debug_info"' sh "$root/usr/libexec/dovanel"
check "packaged texts are the source's" cmp -s "$source/data/middle.txt" \
    "$root/usr/share/dovanel/middle.txt"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
