#!/bin/bash
# The whole chain of windows as a person goes through it, run as a real
# process on a virtual X screen (Xvfb) with a window manager (openbox) and a
# D-Bus session of its own: the splash, a key, the frame, closing it, the site
# browser on its home page, an address the engine cannot reach and one it
# refuses, closing the browser, the About window, Return.
#
# The program starts with empty home, XDG and temporary folders made for this
# run. Afterwards it must have ended with exit code 0, the folders must still
# be empty, none of its processes (the web engine's helpers included) may
# still run, and it must have written nothing on stderr: a desktop program
# started from a terminal says nothing there unless something is wrong. The
# program starts in a process session of its own (setsid), which the web
# engine's helpers stay in, so its processes are those of that session:
# nothing else joins it, and its number is not reused while any member is
# left.
#
#   chain_xvfb.sh PROGRAM
# Exit codes: 0 passed, 1 failed, 77 skipped (a tool is missing).
set -u

program=${1:?usage: chain_xvfb.sh PROGRAM}
# Seconds any one step may take; the web engine's first start is the slowest.
step_timeout=${CHAIN_STEP_TIMEOUT:-90}

for tool in xdotool dbus-run-session setsid timeout; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$program" ] || { echo "FAIL: no program at $program"; exit 1; }
# The X server, window manager and session bus: scripts/display-session.sh's,
# with this script as its command.
if [ "${DISPLAY_SESSION_PID:-}" != "$PPID" ]; then
    exec "$(dirname "$0")/../../scripts/display-session.sh" -- "$0" "$@"
fi
xvfb=$DISPLAY_SESSION_SERVER

work=$(mktemp -d "${TMPDIR:-/tmp}/temporia-chain.XXXXXX") || exit 1
# The program's folders; the desktop's (window manager, D-Bus daemon) apart.
folders=(home config data cache state runtime tmp)
for f in "${folders[@]}" desktop/runtime; do mkdir -p "$work/$f"; done
chmod 0700 "$work/runtime" "$work/desktop/runtime"

# What the program may write on stderr, one extended regular expression a
# line, with the reason: nothing.
acceptable_stderr=()

session=
pid=
failed=0
started=$(date +%s%N)

say() { printf '[%6.2f s] %s\n' "$(( ($(date +%s%N) - started) / 1000000 ))e-3" "$*"; }

# The running processes of the program's session, one a line: id and command
# line. One that has ended but is not yet reaped (a zombie, handed to init
# once its parent is gone) runs no more and is left out.
program_processes() {
    [ -n "$pid" ] || return 0
    ps -e -o sid=,stat=,pid=,args= |
        awk -v sid="$pid" '$1 == sid && $2 !~ /^Z/ { $1 = $2 = ""; print substr($0, 3, 160) }'
}

cleanup() {
    local p
    # Only what this run started, each by its own id: the program's session,
    # the D-Bus session and its daemon. The display session ends the rest.
    for p in $(program_processes | cut -d' ' -f1); do kill -9 "$p" 2>/dev/null; done
    if [ -n "$session" ]; then
        for p in $(ps -o pid= --ppid "$session"); do kill "$p" 2>/dev/null; done
    fi
    [ -z "$session" ] || kill "$session" 2>/dev/null
    if [ "$failed" = 0 ]; then rm -rf "$work"; else echo "kept for inspection: $work"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    failed=1
    echo "FAIL: $*"
    echo "titled windows on the screen:"
    local w name
    for w in $(timeout 10 xdotool search --onlyvisible --name '.' 2>/dev/null); do
        name=$(timeout 10 xdotool getwindowname "$w" 2>/dev/null)
        echo "  $w \"$name\""
    done
    if command -v import >/dev/null 2>&1 && timeout 20 import -window root "$work/failure.png" 2>/dev/null; then
        echo "screenshot: $work/failure.png"
    fi
    echo "program's output:"
    sed 's/^/  /' "$work/program.log" 2>/dev/null | tail -n 40
    echo "program's stderr:"
    sed 's/^/  /' "$work/stderr" 2>/dev/null | tail -n 40
    exit 1
}

# True while the process runs (an ended child stays a zombie until waited for).
running() {
    local state
    state=$(ps -o stat= -p "$1") && [ "${state#Z}" = "$state" ]
}

# wait_for WHAT COMMAND...: runs COMMAND until it succeeds, for at most step_timeout seconds.
wait_for() {
    local what=$1
    shift
    local deadline=$(($(date +%s) + step_timeout))
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "no $what within $step_timeout s"
        [ -z "$xvfb" ] || running "$xvfb" || fail "the X server ended while waiting for the $what"
        sleep 0.05
    done
}

# A shown window of the program whose title matches the regular expression;
# its id goes to $window.
have_window() {
    window=$(timeout 10 xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n1)
    [ -n "$window" ]
}

# Brings the window to the front with the keyboard focus, then types keys.
press() {
    local w=$1
    shift
    timeout 10 xdotool windowactivate --sync "$w" >/dev/null 2>&1 || timeout 10 xdotool windowfocus --sync "$w"
    timeout 10 xdotool key --clearmodifiers "$@"
}

desktop=(env -i PATH="$PATH" DISPLAY="$DISPLAY" LANG=C.UTF-8 HOME="$work/desktop"
    XDG_CONFIG_HOME="$work/desktop" XDG_CACHE_HOME="$work/desktop" XDG_DATA_HOME="$work/desktop"
    XDG_STATE_HOME="$work/desktop" XDG_RUNTIME_DIR="$work/desktop/runtime" TMPDIR="$work/desktop")

# The program in a D-Bus session and a process session of its own, with its
# folders. Sanitizer settings pass through when the test runs instrumented.
passthrough=()
# QT_QUICK_BACKEND chooses how the page view composes: "rhi" takes the
# OpenGL path of machines with a graphics device.
for v in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS QT_QUICK_BACKEND; do
    [ -n "${!v:-}" ] && passthrough+=("$v=${!v}")
done
# shellcheck disable=SC2016 # $$ and $0 belong to the inner shell
"${desktop[@]}" "${passthrough[@]}" dbus-run-session -- \
    env HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" \
    XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" \
    setsid --wait sh -c 'echo $$ >"$0"; exec "$1" 2>"$2"' "$work/pid" "$program" "$work/stderr" >"$work/program.log" 2>&1 &
session=$!
pid_known() {
    [ -s "$work/pid" ] && return 0
    running "$session" || fail "the program did not start"
    return 1
}
wait_for "program" pid_known
pid=$(cat "$work/pid")
say "program started (process $pid)"

# The splash is the program's first window, and the only one without a title.
wait_for "splash window" have_window '^$'
say "splash shown"
press "$window" a
wait_for "main frame" have_window '^A 10000 YEAR TEMPORIA$'
frame=$window
say "a key closed the splash; the main frame is shown"
have_window '^$' && fail "the splash is still shown"

press "$frame" alt+F4
wait_for "browser window" have_window '^(Navigate my site|Working\.\.\.|TEMPORIA - .*)$'
say "frame closed; the browser is shown, titled \"$(timeout 10 xdotool getwindowname "$window")\""
wait_for "home page" have_window '^TEMPORIA - Welcome$'
browser=$window
say "home page loaded: \"TEMPORIA - Welcome\""
helpers=$(program_processes | grep -c QtWebEngineProcess)
[ "$helpers" -gt 0 ] || fail "no web-engine helper found in the program's session: the check for leftovers would prove nothing"
say "$helpers web-engine helper processes running"
have_window '^A 10000 YEAR TEMPORIA$' && fail "the main frame is still shown"

# The page is on the screen, not only loaded: the site's navy header fills a
# band of the view.
if command -v import >/dev/null 2>&1; then
    header_painted() {
        timeout 20 import -window "$browser" "$work/browser.ppm" 2>/dev/null || return 1
        local navy
        navy=$(convert "$work/browser.ppm" -fill white +opaque '#000080' -fill black -opaque '#000080' \
            -negate -format '%[fx:mean*w*h]' info: 2>/dev/null)
        [ "${navy%.*}" -gt 5000 ] 2>/dev/null
    }
    wait_for "home page painted in the window" header_painted
    say "the home page is painted"
fi
# Without a graphics device the page view composes in software and never
# loads an OpenGL driver.
if [ -z "${QT_QUICK_BACKEND:-}" ] && ! ls /dev/dri/card* /dev/dri/renderD* >/dev/null 2>&1; then
    driver=$(grep -E -o '[^ /]*(libGLX_mesa|_dri)\.so[^ ]*' "/proc/$pid/maps" | sort -u | tr '\n' ' ')
    [ -z "$driver" ] || fail "no graphics device, yet an OpenGL driver is loaded: $driver"
    say "no OpenGL driver loaded"
fi

# Addresses a person may type: one the engine answers with its own error page
# (whose script writes to the page's console), and one the browser refuses
# with a page of the program's own.
type_address() {
    press "$browser" alt+a ctrl+a
    timeout 10 xdotool type --delay 20 "$1"
    timeout 10 xdotool key Return
}
type_address 'http://127.0.0.1:1/'
wait_for "engine's error page" have_window '^127\.0\.0\.1$'
say "the engine's error page for an unreachable address is shown"
type_address 'hello world'
wait_for "page saying why" have_window '^TEMPORIA - Not an address$'
say "\"hello world\" brought the page saying why it is no address"

press "$browser" alt+F4
wait_for "About window" have_window '^About TEMPORIA$'
about=$window
say "browser closed; the About window is shown"

# The About window asks for a dialog without a minimise button: its window
# type, and Motif hints with neither the minimise function (4th bit) nor
# the minimise button (6th). The window manager here offers to minimise it
# anyway; then it comes back, since nothing else would bring it back.
if command -v xprop >/dev/null 2>&1; then
    type=$(timeout 10 xprop -id "$about" _NET_WM_WINDOW_TYPE 2>/dev/null)
    case "$type" in
    *"= _NET_WM_WINDOW_TYPE_DIALOG"*) ;;
    *) fail "the About window is not a dialog: $type" ;;
    esac
    read -r functions decorations < <(timeout 10 xprop -id "$about" _MOTIF_WM_HINTS 2>/dev/null |
        sed -n 's/.*= *[^,]*, *\([^,]*\), *\([^,]*\),.*/\1 \2/p')
    [ -n "$functions" ] || fail "the About window sets no Motif hints"
    (( (functions & 0x8) == 0 && (decorations & 0x20) == 0 )) ||
        fail "the About window's Motif hints allow minimising: functions $functions, decorations $decorations"
    # Every change of its state, as the window manager records it.
    timeout "$step_timeout" xprop -spy -id "$about" WM_STATE >"$work/about-state" 2>/dev/null &
    spy=$!
    spying() { grep -q 'window state:' "$work/about-state"; }
    wait_for "About window's state" spying
    before=$(grep -c 'window state:' "$work/about-state")
    timeout 10 xdotool windowminimize "$about"
    # Two changes at least (minimised, then back), ending in the normal
    # state. The spy reads the state when told of a change, so the iconic
    # state itself may have passed before it looked.
    minimised_and_back() {
        [ "$(grep -c 'window state:' "$work/about-state")" -ge $((before + 2)) ] &&
            grep 'window state:' "$work/about-state" | tail -n1 | grep -q Normal
    }
    wait_for "About window minimised and back" minimised_and_back
    kill "$spy" 2>/dev/null
    wait_for "About window shown again" have_window '^About TEMPORIA$'
    say "the About window is a dialog without minimise, and came back when minimised anyway"
fi
press "$window" Return

ended() { ! running "$session"; }
wait_for "end of the program" ended
wait "$session"
code=$?
say "the program ended with exit code $code"
[ "$code" = 0 ] || fail "exit code $code, not 0"

# A helper may take a moment to see that its program is gone.
deadline=$(($(date +%s) + 10))
while [ -n "$(program_processes)" ] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.05; done
left=$(program_processes)
[ -z "$left" ] || fail "processes of the program still running after 10 s:
$left"
say "no process of the program is left"

written=$(cd "$work" && find "${folders[@]}" -mindepth 1 2>/dev/null)
[ -z "$written" ] || fail "the program left files behind:
$written"
say "home, XDG and temporary folders still empty"

if [ ${#acceptable_stderr[@]} -gt 0 ]; then
    said=$(grep -v -E -f <(printf '%s\n' "${acceptable_stderr[@]}") "$work/stderr")
else
    said=$(cat "$work/stderr")
fi
[ -z "$said" ] || fail "the program wrote on stderr:
$said"
say "nothing written on stderr"
echo "PASS"
