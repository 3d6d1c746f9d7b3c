#!/bin/bash
# The program on a system without the fonts its windows name (the font
# configuration holds DejaVu only) goes through the whole chain of windows,
# the web engine's pages included, and ends with exit code 0, nothing left
# running, nothing said on stderr and nothing written in its folders (no
# font cache of its own either). fonts_missing checks the texts themselves.
#
#   fonts_missing_xvfb.sh PROGRAM
program=${1:?usage: fonts_missing_xvfb.sh PROGRAM}
conf=$(cd "$(dirname "$0")" && pwd)/fonts_dejavu_only.conf
# shellcheck source=desktop.sh
source "$(dirname "$0")/desktop.sh"
[ -d /usr/share/fonts/truetype/dejavu ] || { echo "skipped: DejaVu is not installed (fonts-dejavu-core)"; exit 77; }
# With a home of no fonts: the rules the configuration takes in read the
# user's own font settings, which may add folders.
if env HOME=/nonexistent XDG_CONFIG_HOME=/nonexistent FONTCONFIG_FILE="$conf" fc-list : family |
    grep -q -E 'Liberation|Z003|Nimbus'; then
    fail "the font configuration still holds the fonts the program names"
fi

start_desktop
program_folders "$work/user"
mapfile -t folders < <(folder_settings "$work/user")
start_program fonts-missing "${folders[@]}" FONTCONFIG_FILE="$conf"
whole_chain fonts-missing
written=$(find "$work/user" -mindepth 2)
[ -z "$written" ] || fail "the program left files behind:
$written"
echo PASS
