#!/bin/bash
# Runs a command inside a real display session of its own and tears the
# session down after it, whatever the command did. Every real-window test,
# the benchmarks, the screenshots and the package check start their screen
# here, so that all of them get the same desktop.
#
#   display-session.sh [--x11 | --wayland] [--size WxH] -- COMMAND [ARG...]
#
# --x11 (the default): a virtual X screen (Xvfb, on a display it names itself
#   through -displayfd, tried at random numbers away from the low ones people
#   pick by hand), the openbox window manager and a D-Bus session bus.
#   The command gets DISPLAY and DBUS_SESSION_BUS_ADDRESS.
# --wayland: the headless sway compositor drawing in software, with a
#   keyboard on its seat from the start (as a desktop has, so that the first
#   key typed reaches the first window). sway refuses to run as root: run as
#   root, the compositor runs as the unprivileged user nobody, and the command
#   (still root) runs the program and the compositor's tools as that user
#   through DISPLAY_SESSION_AS_USER. The command gets WAYLAND_DISPLAY (the
#   socket's path), SWAYSOCK, and XDG_SESSION_TYPE=wayland; no DISPLAY.
#
# Either way the command also gets DISPLAY_SESSION_PID (this script's id, so a
# script can tell it is the command of a session: it is then its parent),
# DISPLAY_SESSION_SERVER (the id of the X server or the compositor, for tests
# that end it on purpose), DISPLAY_SESSION_DIR (the desktop's own folder:
# home, XDG folders and logs of the server, window manager and bus, reachable
# by the session's user) and DISPLAY_SESSION_AS_USER (a command prefix running
# as the session's user; empty unless the compositor runs as nobody).
# QT_QPA_PLATFORM is unset: the command's programs use the session's display.
#
# The desktop's own processes run with a clean environment and folders of
# their own, so nothing of them lands in the caller's home. Everything this
# script starts is ended by its id when the command ends.
#
# Exit status: the command's; 77 when a tool the session needs is missing
# (the tests' "skipped"), 1 when the session could not be started.
set -u

kind=x11
size=1280x800
while [ $# -gt 0 ]; do
    case $1 in
    --x11) kind=x11 ;;
    --wayland) kind=wayland ;;
    --size)
        size=${2:?--size needs WIDTHxHEIGHT}
        shift
        ;;
    --) shift; break ;;
    -*) echo "$0: no option $1" >&2; exit 2 ;;
    *) break ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "usage: $0 [--x11 | --wayland] [--size WxH] -- COMMAND [ARG...]" >&2; exit 2; }
[[ $size =~ ^[0-9]+x[0-9]+$ ]] || { echo "$0: --size takes WIDTHxHEIGHT, not $size" >&2; exit 2; }

if [ "$kind" = x11 ]; then
    tools=(Xvfb openbox dbus-daemon xprop timeout)
else
    tools=(sway swaymsg wtype timeout)
fi
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

as_user=()
if [ "$kind" = wayland ] && [ "$(id -u)" = 0 ]; then
    command -v setpriv >/dev/null 2>&1 || { echo "skipped: setpriv is not installed"; exit 77; }
    user=nobody
    group=$(id -gn "$user") || { echo "$0: no user $user to run the compositor as" >&2; exit 1; }
    as_user=(setpriv --reuid="$user" --regid="$group" --clear-groups)
fi

# The desktop's folder, which the session's user must be able to reach: the
# temporary folder, unless it is private.
make_dir() {
    dir=$(mktemp -d "$1/temporia-session.XXXXXX") || return 1
    chmod 0755 "$dir"
    [ ${#as_user[@]} = 0 ] || "${as_user[@]}" test -x "$dir" || { rm -rf "$dir"; return 1; }
}
make_dir "${TMPDIR:-/tmp}" || make_dir /tmp || { echo "$0: no temporary folder for the session" >&2; exit 1; }
mkdir -p "$dir/runtime"
chmod 0700 "$dir/runtime"
[ ${#as_user[@]} = 0 ] || chown -R "$user:$group" "$dir/runtime"
desktop=(env -i PATH="$PATH" LANG=C.UTF-8 HOME="$dir" XDG_CONFIG_HOME="$dir" XDG_CACHE_HOME="$dir"
    XDG_DATA_HOME="$dir" XDG_STATE_HOME="$dir" XDG_RUNTIME_DIR="$dir/runtime" TMPDIR="$dir")

server='' number='' wm='' bus='' keyboard='' command_pid=''
cleanup() {
    local p
    for p in $keyboard $wm $bus $server; do kill "$p" 2>/dev/null; done
    for p in $keyboard $wm $server; do wait "$p" 2>/dev/null; done
    # An X server killed outright (the tests that lose the display do so)
    # leaves its socket, and may leave its lock, behind: ours to remove
    # unless another server has taken the number since.
    if [ -n "$server" ] && [ -n "$number" ]; then
        local owner
        owner=$(tr -dc 0-9 2>/dev/null <"/tmp/.X$number-lock")
        [ -n "$owner" ] && [ "$owner" != "$server" ] || rm -f "/tmp/.X$number-lock" "/tmp/.X11-unix/X$number"
    fi
    rm -rf "$dir"
}
trap cleanup EXIT
# Ended from outside, the command is ended too, and then the session.
trap '[ -z "$command_pid" ] || kill "$command_pid" 2>/dev/null; exit 1' INT TERM HUP

running() {
    local state
    state=$(ps -o stat= -p "$1") && [ "${state#Z}" = "$state" ]
}
give_up() {
    echo "$0: $*" >&2
    local log
    for log in "$dir"/*.log; do
        [ -s "$log" ] && { echo "$(basename "$log"):"; tail -n 10 "$log" | sed 's/^/  /'; } >&2
    done
    exit 1
}
# until_ready WHAT SECONDS COMMAND...: polls COMMAND until it succeeds.
until_ready() {
    local what=$1 deadline=$(($(date +%s) + $2))
    shift 2
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || give_up "no $what within the time allowed"
        sleep 0.05
    done
}

start_x11() {
    # A stale system font cache would have fontconfig write one in the home.
    [ "$(id -u)" != 0 ] || fc-cache -s >/dev/null 2>&1
    local starting
    display_named() { [ -s "$dir/display" ] || ! running "$starting"; }
    for _ in 1 2 3 4 5 6 7 8; do
        number=$((200 + RANDOM % 700))
        # A lock whose server is gone is no obstacle: Xvfb takes it over.
        [ -e "/tmp/.X$number-lock" ] && kill -0 "$(tr -dc 0-9 2>/dev/null <"/tmp/.X$number-lock")" 2>/dev/null && continue
        : >"$dir/display"
        # It names its display once ready, or ends if the display was taken after all.
        "${desktop[@]}" Xvfb ":$number" -displayfd 3 -screen 0 "${size}x24" -nolisten tcp \
            3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
        starting=$!
        until_ready "X server" 30 display_named
        if [ -s "$dir/display" ]; then
            server=$starting
            break
        fi
    done
    [ -n "$server" ] || give_up "Xvfb did not start"
    DISPLAY=:$(head -n1 "$dir/display")
    desktop+=(DISPLAY="$DISPLAY")
    local address
    read -r address bus < <("${desktop[@]}" dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
    [ -n "$bus" ] || give_up "no session bus"
    # Now and then, with other tests loading the machine, the window manager
    # cannot reach the new display at its first try and ends; it is started
    # again. It is ready once it announces itself on the root window.
    wm_ready() {
        if [ -z "$wm" ] || ! running "$wm"; then
            "${desktop[@]}" DBUS_SESSION_BUS_ADDRESS="$address" openbox --sm-disable >>"$dir/openbox.log" 2>&1 &
            wm=$!
            return 1
        fi
        timeout 10 xprop -display "$DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
    }
    until_ready "window manager" 60 wm_ready
    unset WAYLAND_DISPLAY
    export DISPLAY DBUS_SESSION_BUS_ADDRESS=$address
}

start_wayland() {
    cat >"$dir/sway.conf" <<EOF
xwayland disable
output HEADLESS-1 resolution $size
EOF
    chmod a+r "$dir/sway.conf"
    "${as_user[@]}" "${desktop[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$dir/sway.conf" >"$dir/sway.log" 2>&1 &
    server=$!
    local socket ipc
    compositor_ready() {
        running "$server" || give_up "the compositor did not start"
        socket=$(find "$dir/runtime" -maxdepth 1 -type s -name 'wayland-*' | head -n1)
        ipc=$(find "$dir/runtime" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n1)
        [ -n "$socket" ] && [ -n "$ipc" ] &&
            timeout 10 "${as_user[@]}" "${desktop[@]}" SWAYSOCK="$ipc" swaymsg -t get_outputs >/dev/null 2>&1
    }
    until_ready "compositor" 60 compositor_ready
    # It waits a day, then types nothing that matters.
    "${as_user[@]}" "${desktop[@]}" WAYLAND_DISPLAY="$socket" wtype -s 86400000 -k Shift_L >/dev/null 2>&1 &
    keyboard=$!
    unset DISPLAY
    export WAYLAND_DISPLAY=$socket SWAYSOCK=$ipc XDG_SESSION_TYPE=wayland
}

"start_$kind"
unset QT_QPA_PLATFORM
DISPLAY_SESSION_AS_USER="${as_user[*]}"
export DISPLAY_SESSION_PID=$$ DISPLAY_SESSION_SERVER=$server DISPLAY_SESSION_DIR=$dir DISPLAY_SESSION_AS_USER
"$@" &
command_pid=$!
# A test may kill the X server on purpose: the shell's own word on that
# ("Killed") is not the command's, which keeps its own stderr.
{ wait "$command_pid"; } 2>/dev/null
status=$?
command_pid=''
exit "$status"
