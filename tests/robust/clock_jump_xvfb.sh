#!/bin/bash
# The system clock jumps while the program runs: an hour back over midnight,
# then a day forward. The program runs with a faked wall clock (libfaketime,
# read anew from a file at each look, so the test moves it mid-run) and the
# real monotonic clock. The slideshow keeps changing the photograph every 20
# seconds across each jump, as timers count elapsed time and not the time of
# day; and the calendar's today follows the new date at its next drawing:
# Ctrl+Home shows the new today's month, read back through Ctrl+C. (Faked
# too, the monotonic clock takes the timers along: after the hour back no
# photograph comes for an hour, and the test fails.)
#
#   clock_jump_xvfb.sh PROGRAM
program=${1:?usage: clock_jump_xvfb.sh PROGRAM}
faketime_lib=
for f in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
    [ -e "$f" ] && faketime_lib=$f && break
done
[ -n "$faketime_lib" ] || { echo "skipped: libfaketime is not installed"; exit 77; }
# A build with AddressSanitizer wants its runtime first of all libraries;
# preloading it too would hang the shell that starts the program, so it is
# told to accept the faked clock's library ahead of it.
sanitizer=()
if ldd "$program" 2>/dev/null | grep -q libasan; then
    sanitizer=(ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0")
fi
command -v xclip >/dev/null 2>&1 || { echo "skipped: xclip is not installed"; exit 77; }
# shellcheck source=desktop.sh
source "$(dirname "$0")/desktop.sh"

start_desktop
program_folders "$work/user"
mapfile -t folders < <(folder_settings "$work/user")
# Ten minutes past midnight on 1 July 2026, running on from there; the
# monotonic clock real (DONT_FAKE_MONOTONIC is the older libfaketime's name).
echo '@2026-07-01 00:10:00' >"$work/clock"
start_program clock "${folders[@]}" LD_PRELOAD="$faketime_lib" FAKETIME_TIMESTAMP_FILE="$work/clock" \
    FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 DONT_FAKE_MONOTONIC=1 "${sanitizer[@]}"
to_frame clock
frame=$window

# The month the calendar shows after Ctrl+Home, as Ctrl+C copies it; its
# first line names it. The keys take a moment to arrive: the clipboard is
# read until it names the month, and the month before tells from the one
# expected.
shown=
copied_month() {
    shown=$(timeout 10 xclip -o -selection clipboard 2>/dev/null | sed -n '/[A-Za-z]/{s/^ *//;s/ *$//;p;q}')
    [ "$shown" = "$1" ]
}
shows_month() {
    press "$frame" ctrl+Home
    press "$frame" ctrl+c
    wait_for "copy of $1 after Ctrl+Home" copied_month "$1"
    say "Ctrl+Home shows $1"
}

# The photograph, as a fingerprint of a patch of the frame's background away
# from the calendar, in the middle of the screen where every photograph is
# centred; the real (monotonic) time of its last change.
photo() {
    timeout 20 import -window root -crop 200x120+540+400 "$work/photo.ppm" 2>/dev/null &&
        convert "$work/photo.ppm" -format '%#' info: 2>/dev/null
}
last_photo=$(photo)
photo_changed() {
    local now
    now=$(photo) || return 1
    [ -n "$now" ] && [ "$now" != "$last_photo" ] || return 1
    last_photo=$now
    changed_at=$(awk '{print $1}' /proc/uptime)
}
# Seconds between one change and the next: 20, whatever the clock did.
next_photo_in_20_s() {
    local before=$changed_at
    wait_for "next photograph" photo_changed
    local took
    took=$(awk -v a="$before" -v b="$changed_at" 'BEGIN { printf "%.1f", b - a }')
    say "the next photograph came $took s later"
    awk -v t="$took" 'BEGIN { exit !(t >= 17 && t <= 35) }' ||
        fail "the slideshow took $took s for one photograph, not 20"
}

shows_month "July 2026"
wait_for "first change of photograph" photo_changed
say "the photograph changed"
echo '@2026-06-30 23:10:00' >"$work/clock"
say "clock set an hour back, to 30 June"
shows_month "June 2026"
next_photo_in_20_s
echo '@2026-07-01 23:10:00' >"$work/clock"
say "clock set a day forward, to 1 July"
shows_month "July 2026"
next_photo_in_20_s

to_browser clock
to_about clock
to_end clock
ended_cleanly clock
written=$(find "$work/user" -mindepth 2)
[ -z "$written" ] || fail "the program left files behind:
$written"
echo PASS
