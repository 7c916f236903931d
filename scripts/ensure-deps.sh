#!/bin/sh
# Installs the Debian packages dovanel needs to build, run and test, when any is missing.
set -eu

packages="cmake g++ make pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev \
libqt6sql6-sqlite libxcb-xkb-dev libcanberra0 fonts-ipafont-gothic fonts-dejavu-core xvfb \
xauth xdotool x11-xkb-utils libxcb1-dev libxcb-xtest0-dev libxcb-damage0-dev dpkg-dev file \
appstream desktop-file-utils ${DOVANEL_EXTRA:-}"

missing=""
for p in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" = 0 ]; then
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo apt-get update -q
    sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
else
    echo "Please install the missing packages first:" >&2
    echo "  sudo apt-get install$missing" >&2
    exit 1
fi
