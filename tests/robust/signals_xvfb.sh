#!/bin/bash
# A fault while the program shows one stage of its chain of windows, run as
# a real process on a virtual X screen (Xvfb) with a window manager and a
# D-Bus session of its own, with empty home, XDG and temporary folders:
#
#   signals_xvfb.sh PROGRAM FAULT STAGE
#   FAULT  TERM, INT, HUP: that signal; TERM2: SIGTERM twice, the second
#          at once; XKILL: the X server is killed
#   STAGE  splash, frame, browser (its engine running), about, sysinfo (the
#          About window's System Info... pressed, what it opened still shown)
#
# After a signal the program must end promptly as killed by it (the shell's
# 128+n); after the X server went, with exit status 1 and one line on stderr
# naming the display it lost.
# Either way no process of it may be left (the web engine's helpers
# included), it dumps no core, and the folders stay empty.
# Exit codes: 0 passed, 1 failed, 77 skipped (a tool is missing).
set -u

program=${1:?usage: signals_xvfb.sh PROGRAM FAULT STAGE}
fault=${2:?usage: signals_xvfb.sh PROGRAM FAULT STAGE}
stage=${3:?usage: signals_xvfb.sh PROGRAM FAULT STAGE}
step_timeout=${CHAIN_STEP_TIMEOUT:-90}

for tool in xdotool dbus-run-session setsid timeout pgrep; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$program" ] || { echo "FAIL: no program at $program"; exit 1; }
# The X server, window manager and session bus: scripts/display-session.sh's,
# with this script as its command.
if [ "${DISPLAY_SESSION_PID:-}" != "$PPID" ]; then
    exec "$(dirname "$0")/../../scripts/display-session.sh" -- "$0" "$@"
fi
xvfb=$DISPLAY_SESSION_SERVER

work=$(mktemp -d "${TMPDIR:-/tmp}/temporia-fault.XXXXXX") || exit 1
folders=(home config data cache state runtime tmp)
for f in "${folders[@]}" desktop/runtime; do mkdir -p "$work/$f"; done
chmod 0700 "$work/runtime" "$work/desktop/runtime"

sysinfo=
session=
sid=
pid=
failed=0

# The running processes of the program's process session: the shell that
# started it, the program and the web engine's helpers.
program_processes() {
    [ -n "$sid" ] || return 0
    ps -e -o sid=,stat=,pid=,args= |
        awk -v sid="$sid" '$1 == sid && $2 !~ /^Z/ { $1 = $2 = ""; print substr($0, 3, 160) }'
}
# The same without the starting shell.
left_behind() { program_processes | awk -v sh="$sid" '$1 != sh'; }

cleanup() {
    local p
    for p in $(program_processes | cut -d' ' -f1); do kill -9 "$p" 2>/dev/null; done
    if [ -n "$session" ]; then
        for p in $(ps -o pid= --ppid "$session"); do kill "$p" 2>/dev/null; done
    fi
    for p in $session $sysinfo; do kill "$p" 2>/dev/null; done
    if [ "$failed" = 0 ]; then rm -rf "$work"; else echo "kept for inspection: $work"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    failed=1
    echo "FAIL ($fault at $stage): $*"
    echo "program's stderr:"
    sed 's/^/  /' "$work/stderr" 2>/dev/null | tail -n 40
    exit 1
}

running() {
    local state
    state=$(ps -o stat= -p "$1") && [ "${state#Z}" = "$state" ]
}

wait_for() {
    local what=$1
    shift
    local deadline=$(($(date +%s) + step_timeout))
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "no $what within $step_timeout s"
        sleep 0.05
    done
}

have_window() {
    window=$(timeout 10 xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n1)
    [ -n "$window" ]
}

press() {
    local w=$1
    shift
    timeout 10 xdotool windowactivate --sync "$w" >/dev/null 2>&1 || timeout 10 xdotool windowfocus --sync "$w"
    timeout 10 xdotool key --clearmodifiers "$@"
}

desktop=(env -i PATH="$PATH" DISPLAY="$DISPLAY" LANG=C.UTF-8 HOME="$work/desktop"
    XDG_CONFIG_HOME="$work/desktop" XDG_CACHE_HOME="$work/desktop" XDG_DATA_HOME="$work/desktop"
    XDG_STATE_HOME="$work/desktop" XDG_RUNTIME_DIR="$work/desktop/runtime" TMPDIR="$work/desktop")

passthrough=()
for v in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS QT_QUICK_BACKEND; do
    [ -n "${!v:-}" ] && passthrough+=("$v=${!v}")
done
# The program runs in the foreground of a shell that leads its process
# session and records how it ended as a shell sees it (128+n when a signal
# ended it); the shell's own word on that ("Terminated") is not the program's. No core file may be written: the limit would hide one, so the
# test reads the status instead and keeps the system's limit.
# shellcheck disable=SC2016 # $$, $? and $0 belong to the inner shell
"${desktop[@]}" "${passthrough[@]}" dbus-run-session -- \
    env HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" \
    XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" \
    setsid --wait sh -c 'echo $$ >"$0"; { (exec "$1" 2>"$2"); echo $? >"$3"; } 2>/dev/null' "$work/sid" "$program" "$work/stderr" \
    "$work/status" >"$work/program.log" 2>&1 &
session=$!
program_known() {
    [ -s "$work/sid" ] || return 1
    sid=$(cat "$work/sid")
    pid=$(pgrep -P "$sid" | head -n1)
    [ -n "$pid" ]
}
wait_for "program" program_known

wait_for "splash window" have_window '^$'
if [ "$stage" != splash ]; then
    press "$window" a
    wait_for "main frame" have_window '^A 10000 YEAR TEMPORIA$'
fi
if [ "$stage" = browser ] || [ "$stage" = about ] || [ "$stage" = sysinfo ]; then
    press "$window" alt+F4
    wait_for "home page" have_window '^TEMPORIA - Welcome$'
    helpers() { [ "$(left_behind | grep -c QtWebEngineProcess)" -gt 0 ]; }
    wait_for "web-engine helper" helpers
fi
if [ "$stage" = about ] || [ "$stage" = sysinfo ]; then
    press "$window" alt+F4
    wait_for "About window" have_window '^About TEMPORIA$'
fi
if [ "$stage" = sysinfo ]; then
    about=$window
    press "$about" alt+s
    # The system-information program, which the program starts detached, in
    # a session of its own; or the program's message that it cannot.
    other_window() {
        local w
        for w in $(timeout 10 xdotool search --all --onlyvisible --name '.' 2>/dev/null); do
            [ "$w" != "$about" ] || continue
            sysinfo=$(timeout 10 xdotool getwindowpid "$w" 2>/dev/null)
            [ "$sysinfo" = "$pid" ] && sysinfo=
            return 0
        done
        return 1
    }
    wait_for "window that System Info... opened" other_window
fi

case $fault in
TERM | INT | HUP) kill "-$fault" "$pid"; expected=$((128 + $(kill -l "$fault"))) ;;
TERM2) kill -TERM "$pid"; kill -TERM "$pid" 2>/dev/null; expected=143 ;;
XKILL)
    kill -KILL "$xvfb"
    gone() { ! running "$xvfb"; }
    wait_for "end of the X server" gone
    expected=1
    ;;
*) fail "no such fault: $fault" ;;
esac

ended() { [ -s "$work/status" ]; }
wait_for "end of the program" ended
status=$(cat "$work/status")
[ "$status" = "$expected" ] || fail "exit status $status, not $expected"

deadline=$(($(date +%s) + 10))
while [ -n "$(left_behind)" ] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.05; done
left=$(left_behind)
[ -z "$left" ] || fail "processes still running 10 s after the program ended:
$left"

written=$(cd "$work" && find "${folders[@]}" -mindepth 1 2>/dev/null)
[ -z "$written" ] || fail "files written:
$written"

lines=$(wc -l <"$work/stderr")
if [ "$fault" = XKILL ]; then
    # The system-information program, started from this one, writes to the
    # same stderr and loses the display too: one line each.
    programs=1
    [ -n "$sysinfo" ] && programs=2
    [ "$lines" = "$programs" ] || fail "$lines lines on stderr, not one a program"
    grep -q "^$(basename "$program"): lost the display (DISPLAY=$DISPLAY)\$" "$work/stderr" ||
        fail "the program did not say that it lost the display"
else
    [ "$lines" = 0 ] || fail "the program wrote on stderr"
fi
echo "PASS ($fault at $stage: status $status) $(head -c 200 "$work/stderr")"
