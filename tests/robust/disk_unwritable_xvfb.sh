#!/bin/bash
# The program keeps nothing, so folders it cannot write in do not stop it:
# with its home, XDG and temporary folders on a read-only file system, with
# TMPDIR naming a folder that does not exist, and with all of them on a file
# system that is full, it goes through the whole chain of windows (the web
# engine's off-the-record profile included) and ends with exit code 0,
# nothing left running and nothing said on stderr.
#
# The file systems are small tmpfs mounts in a mount namespace of the test's
# own, so they vanish with it whatever happens. Where mounting is not
# permitted, those two cases are skipped (exit code 77 once the rest passed).
#
#   disk_unwritable_xvfb.sh PROGRAM
program=${1:?usage: disk_unwritable_xvfb.sh PROGRAM}
if [ -z "${TEMPORIA_OWN_MOUNTS:-}" ] && command -v unshare >/dev/null 2>&1 &&
    unshare --mount --propagation private true 2>/dev/null; then
    TEMPORIA_OWN_MOUNTS=1 exec unshare --mount --propagation private "$0" "$@"
fi
# shellcheck source=desktop.sh
source "$(dirname "$0")/desktop.sh"

mounts=()
extra_cleanup() {
    local m
    for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
}
can_mount=no
if [ -n "${TEMPORIA_OWN_MOUNTS:-}" ]; then
    mkdir -p "$work/probe"
    mount -t tmpfs -o size=64k tmpfs "$work/probe" 2>/dev/null && umount "$work/probe" && can_mount=yes
fi
start_desktop

# Read-only: the folders exist, and nothing can be written in them.
if [ "$can_mount" = yes ]; then
    mkdir -p "$work/ro"
    mount -t tmpfs -o size=1m,mode=0755 tmpfs "$work/ro" && mounts+=("$work/ro")
    program_folders "$work/ro"
    mount -o remount,ro "$work/ro" || fail "cannot make the folders read-only"
    touch "$work/ro/home/probe" 2>/dev/null && fail "the read-only home takes files"
    mapfile -t folders < <(folder_settings "$work/ro")
    start_program read-only "${folders[@]}"
    whole_chain read-only
else
    echo "skipped: read-only folders (mounting a file system is not permitted here)"
fi

# TMPDIR naming a folder that is not there (nor its parent).
program_folders "$work/nowhere"
mapfile -t folders < <(folder_settings "$work/nowhere")
start_program tmpdir-nowhere "${folders[@]}" TMPDIR="$work/gone/tmp"
whole_chain tmpdir-nowhere
[ ! -e "$work/gone" ] || fail "the program made the missing temporary folder"
written=$(find "$work/nowhere" -mindepth 2)
[ -z "$written" ] || fail "the program left files behind:
$written"

# Full: every folder on a file system without a free block.
if [ "$can_mount" = yes ]; then
    mkdir -p "$work/full"
    mount -t tmpfs -o size=256k,mode=0755 tmpfs "$work/full" && mounts+=("$work/full")
    program_folders "$work/full"
    dd if=/dev/zero of="$work/full/filler" bs=4k 2>/dev/null
    [ "$(df --output=avail "$work/full" | tail -n1)" -eq 0 ] || fail "the small file system is not full"
    echo x >"$work/full/home/probe" 2>/dev/null && [ -s "$work/full/home/probe" ] &&
        fail "the full file system takes data"
    rm -f "$work/full/home/probe"
    mapfile -t folders < <(folder_settings "$work/full")
    start_program full "${folders[@]}"
    whole_chain full
    written=$(find "$work/full" -mindepth 2)
    [ -z "$written" ] || fail "the program left files behind:
$written"
else
    echo "skipped: a full file system (mounting a file system is not permitted here)"
fi

say "home and temporary folders unwritable, missing or full: the whole chain ran each time"
[ "$can_mount" = yes ] || exit 77
echo PASS
