#!/bin/sh
# Starts dovanel in a folder of the user's own. The program reads beginner.txt, middle.txt
# and advance.txt and writes tenkey.txt in its working directory, and the installed copies
# are read-only, so each user gets copies that they may edit. A text file to practise on may
# follow (`dovanel notes.txt`).
#
# Environment:
#   XDG_DATA_HOME    the per-user folder is $XDG_DATA_HOME/dovanel (~/.local/share/dovanel)
#   DOVANEL_PROGRAM  runs this program instead of the installed one, in that folder and with
#                    the same arguments; for tests and packagers
set -u

program=${DOVANEL_PROGRAM:-'@DOVANEL_PROGRAM_PATH@'}
texts='@DOVANEL_TEXT_DIR@'

# Unset, empty or relative XDG_DATA_HOME: the default, as the XDG base directory rules say.
case ${XDG_DATA_HOME:-} in
    /*) data_home=$XDG_DATA_HOME ;;
    *) data_home=$HOME/.local/share ;;
esac
work=$data_home/dovanel

# Folders the launcher creates are private, as the XDG rules ask.
if ! (umask 077 && mkdir -p -- "$work"); then
    echo "dovanel: cannot create $work" >&2
    exit 1
fi

for name in beginner.txt middle.txt advance.txt; do
    # Anything of that name, even a link, is the user's and stays untouched.
    if [ -e "$work/$name" ] || [ -L "$work/$name" ]; then
        continue
    fi
    # Copied under another name first: a copy cut short (a full disk) must not become a
    # text that later starts never replace.
    partial=$work/.$name.partial
    rm -f -- "$partial"
    if cp -- "$texts/$name" "$partial" && chmod u+w -- "$partial" &&
        mv -f -- "$partial" "$work/$name"; then
        :
    else
        rm -f -- "$partial"
        # The program itself then tells the user which text is missing.
        echo "dovanel: cannot copy $texts/$name to $work" >&2
    fi
done

# A text file named relative to where dovanel was started must still be found from $work.
count=$#
while [ "$count" -gt 0 ]; do
    arg=$1
    shift
    case $arg in
        /* | -*) ;;
        *) [ -e "$arg" ] && arg=$PWD/$arg ;;
    esac
    set -- "$@" "$arg"
    count=$((count - 1))
done

cd "$work" || exit 1
exec "$program" "$@"
