# shellcheck shell=bash
# A desktop for the fault tests, sourced by them: the display session of
# scripts/display-session.sh (a virtual X screen, a window manager and a
# D-Bus session bus), which runs the sourcing script again as its command,
# and the program run on it as a real process through the
# whole chain of windows, as chain_xvfb.sh runs it: the splash, a key, the
# frame, closing it, the site browser with the web engine on its home page,
# closing it, the About window, Return.
#
# Each program starts in a process session of its own (setsid), which the
# web engine's helpers stay in, so its processes are those of that session.
# Everything this file starts is ended by its id when the test ends.
#
# Uses: $program. Sets: $work (a folder for this run), DISPLAY.
# Exit codes of the tests: 0 passed, 1 failed, 77 skipped (a tool is missing).
set -u

step_timeout=${CHAIN_STEP_TIMEOUT:-90}
for tool in xdotool setsid timeout import convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$program" ] || { echo "FAIL: no program at $program"; exit 1; }
if [ "${DISPLAY_SESSION_PID:-}" != "$PPID" ]; then
    exec "$(dirname "${BASH_SOURCE[0]}")/../../scripts/display-session.sh" -- "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/temporia-fault.XXXXXX") || exit 1
mkdir -p "$work/desktop/runtime"
chmod 0700 "$work/desktop/runtime"
xvfb='' failed=0
declare -A sessions=() pids=()
started=$(date +%s%N)

say() { printf '[%6.2f s] %s\n' "$(( ($(date +%s%N) - started) / 1000000 ))e-3" "$*"; }

# The running processes of a program's session (its first process's id), one
# a line; zombies run no more and are left out.
session_processes() {
    ps -e -o sid=,stat=,pid=,args= |
        awk -v sid="$1" '$1 == sid && $2 !~ /^Z/ { $1 = $2 = ""; print substr($0, 3, 160) }'
}

cleanup() {
    local p tag
    for tag in "${!pids[@]}"; do
        for p in $(session_processes "${pids[$tag]}" | cut -d' ' -f1); do kill -9 "$p" 2>/dev/null; done
    done
    for p in "${sessions[@]}"; do kill "$p" 2>/dev/null; done
    declare -F extra_cleanup >/dev/null && extra_cleanup
    if [ "$failed" = 0 ]; then rm -rf "$work"; else echo "kept for inspection: $work"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    failed=1
    echo "FAIL: $*"
    local w tag
    echo "titled windows on the screen:"
    for w in $(timeout 10 xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  $w \"$(timeout 10 xdotool getwindowname "$w" 2>/dev/null)\""
    done
    timeout 20 import -window root "$work/failure.png" 2>/dev/null && echo "screenshot: $work/failure.png"
    for tag in "${!pids[@]}"; do
        echo "stderr of $tag:"
        tail -n 40 "$work/$tag.stderr" 2>/dev/null | sed 's/^/  /'
    done
    exit 1
}

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

# A shown window of program TAG whose title matches the regular expression; its id goes to $window.
have_window() {
    window=$(timeout 10 xdotool search --all --onlyvisible --pid "${pids[$1]}" --name "$2" 2>/dev/null | head -n1)
    [ -n "$window" ]
}

press() {
    local w=$1
    shift
    timeout 10 xdotool windowactivate --sync "$w" >/dev/null 2>&1 || timeout 10 xdotool windowfocus --sync "$w"
    timeout 10 xdotool key --clearmodifiers "$@"
}

# start_desktop: the session's X server, window manager and session bus.
start_desktop() {
    xvfb=$DISPLAY_SESSION_SERVER
    desktop=(env -i PATH="$PATH" DISPLAY="$DISPLAY" LANG=C.UTF-8 HOME="$work/desktop"
        XDG_CONFIG_HOME="$work/desktop" XDG_CACHE_HOME="$work/desktop" XDG_DATA_HOME="$work/desktop"
        XDG_STATE_HOME="$work/desktop" XDG_RUNTIME_DIR="$work/desktop/runtime" TMPDIR="$work/desktop")
}

# start_program TAG [VAR=VALUE...]: the program on the desktop's bus, with
# the desktop's clean environment and these settings; its stderr goes to
# $work/TAG.stderr. Sanitizer settings pass through.
start_program() {
    local tag=$1
    shift
    local passthrough=() v
    for v in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS QT_QUICK_BACKEND; do
        [ -n "${!v:-}" ] && passthrough+=("$v=${!v}")
    done
    # shellcheck disable=SC2016 # $$ and $0 belong to the inner shell
    "${desktop[@]}" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" "${passthrough[@]}" "$@" \
        setsid --wait sh -c 'echo $$ >"$0"; exec "$1" 2>"$2"' "$work/$tag.pid" "$program" "$work/$tag.stderr" \
        >"$work/$tag.log" 2>&1 &
    sessions[$tag]=$!
    pid_known() {
        [ -s "$work/$tag.pid" ] && return 0
        running "${sessions[$tag]}" || fail "$tag did not start: $(cat "$work/$tag.log")"
        return 1
    }
    wait_for "program $tag" pid_known
    pids[$tag]=$(cat "$work/$tag.pid")
    say "$tag started (process ${pids[$tag]})"
}

# The chain in steps, each for one program, so that two can go through it
# side by side.
to_frame() {
    # The splash closes by itself after 5 seconds, which may have passed
    # while another program went through its steps.
    splash_or_frame() { have_window "$1" '^$' || have_window "$1" '^A 10000 YEAR TEMPORIA$'; }
    wait_for "splash window of $1" splash_or_frame "$1"
    have_window "$1" '^$' && press "$window" a
    wait_for "main frame of $1" have_window "$1" '^A 10000 YEAR TEMPORIA$'
    say "$1: splash, a key, the main frame"
}
to_browser() {
    have_window "$1" '^A 10000 YEAR TEMPORIA$' || fail "$1 shows no main frame"
    press "$window" alt+F4
    wait_for "browser home page of $1" have_window "$1" '^TEMPORIA - Welcome$'
    local browser=$window
    # On the screen, not only loaded: the site's navy header fills a band of the view.
    header_painted() {
        timeout 20 import -window "$browser" "$work/browser.ppm" 2>/dev/null || return 1
        local navy
        navy=$(convert "$work/browser.ppm" -fill white +opaque '#000080' -fill black -opaque '#000080' \
            -negate -format '%[fx:mean*w*h]' info: 2>/dev/null)
        [ "${navy%.*}" -gt 5000 ] 2>/dev/null
    }
    wait_for "home page of $1 painted" header_painted
    session_processes "${pids[$1]}" | grep -q QtWebEngineProcess || fail "$1 runs no web engine"
    say "$1: the browser shows its home page, drawn by the web engine"
}
to_about() {
    have_window "$1" '^TEMPORIA - Welcome$' || fail "$1 shows no browser"
    press "$window" alt+F4
    wait_for "About window of $1" have_window "$1" '^About TEMPORIA$'
    say "$1: the About window"
}
to_end() {
    have_window "$1" '^About TEMPORIA$' || fail "$1 shows no About window"
    press "$window" Return
}

# ended_cleanly TAG: exit code 0, nothing left running, nothing on stderr.
ended_cleanly() {
    local tag=$1 code
    ended() { ! running "${sessions[$tag]}"; }
    wait_for "end of $tag" ended
    wait "${sessions[$tag]}"
    code=$?
    [ "$code" = 0 ] || fail "$tag ended with exit code $code, not 0"
    local deadline=$(($(date +%s) + 10))
    while [ -n "$(session_processes "${pids[$tag]}")" ] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.05; done
    local left
    left=$(session_processes "${pids[$tag]}")
    [ -z "$left" ] || fail "processes of $tag still running after 10 s:
$left"
    [ ! -s "$work/$tag.stderr" ] || fail "$tag wrote on stderr:
$(cat "$work/$tag.stderr")"
    say "$tag ended with exit code 0, nothing left running, nothing on stderr"
}

# whole_chain TAG: one program from the splash to its end.
whole_chain() {
    to_frame "$1"
    to_browser "$1"
    to_about "$1"
    to_end "$1"
    ended_cleanly "$1"
}

# A program's folders, empty: home, XDG and temporary, under DIR.
program_folders() {
    local f
    for f in home config data cache state runtime tmp; do mkdir -p "$1/$f"; done
    chmod 0700 "$1/runtime"
}
folder_settings() {
    printf '%s\n' HOME="$1/home" XDG_CONFIG_HOME="$1/config" XDG_DATA_HOME="$1/data" XDG_CACHE_HOME="$1/cache" \
        XDG_STATE_HOME="$1/state" XDG_RUNTIME_DIR="$1/runtime" TMPDIR="$1/tmp"
}
