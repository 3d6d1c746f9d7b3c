#!/bin/bash
# Two copies of the program started together by the same person (same home,
# same folders, same session bus) both go through the whole chain of windows,
# side by side, and both end with exit code 0, leave no process behind, say
# nothing on stderr and write nothing in the folders they share.
#
#   copies_two_xvfb.sh PROGRAM
program=${1:?usage: copies_two_xvfb.sh PROGRAM}
# shellcheck source=desktop.sh
source "$(dirname "$0")/desktop.sh"

start_desktop
program_folders "$work/user"
mapfile -t folders < <(folder_settings "$work/user")
start_program first "${folders[@]}"
start_program second "${folders[@]}"
for step in to_frame to_browser to_about to_end; do
    "$step" first
    "$step" second
done
ended_cleanly first
ended_cleanly second
written=$(find "$work/user" -mindepth 2)
[ -z "$written" ] || fail "the programs left files behind:
$written"
say "the folders they share are still empty"
echo PASS
