#!/bin/bash
# The whole chain of windows on a real Wayland compositor, the program
# talking Wayland itself (Qt's Wayland plugin, no X server anywhere): sway,
# headless and drawing in software, with a D-Bus session of its own. The
# splash, a key, the frame filling the screen on today's month, the frame's
# close as its close box asks for it (the compositor's close request), the
# site browser on its home page, an address the engine cannot reach and one
# it refuses, typed through the compositor's virtual keyboard, the browser's
# close, the About window, its close.
#
# The program starts with empty home, XDG and temporary folders made for this
# run. Afterwards it must have ended with exit code 0, the folders must still
# be empty, none of its processes (the web engine's helpers included) may
# still run, and it must have written nothing on stderr. The program starts
# in a process session of its own (setsid), which the web engine's helpers
# stay in, so its processes are those of that session.
#
# With --lose-display the compositor ends instead while the program shows the
# splash, the frame, the browser and the About window, each in a run of its
# own: the program must end with exit code 1 and one line on stderr, without
# a core dump, leaving no process and no file behind.
#
# The compositor is scripts/display-session.sh's Wayland session, one for
# each run. sway refuses to run as root: run as root (as CI does), the
# compositor, its tools and the program run as the unprivileged user nobody,
# from a copy of the program in a folder of the test's own, since the build
# tree may be out of that user's reach.
#
#   chain_wayland.sh [--lose-display] PROGRAM
# Exit codes: 0 passed, 1 failed, 77 skipped (a tool is missing).
set -u

session_launcher=$(dirname "$0")/../../scripts/display-session.sh
mode=chain
case ${1:-} in
--lose-display) mode=lose-display; shift ;;
# One run of --lose-display, in a session of its own: the compositor ends at STAGE.
--lose-display-at) mode=lose-display-at; stage=${2:?}; shift 2 ;;
esac
program=${1:?usage: chain_wayland.sh [--lose-display] PROGRAM}
if [ "${DISPLAY_SESSION_PID:-}" != "$PPID" ]; then
    if [ "$mode" = lose-display ]; then
        for stage in splash frame browser About; do
            "$session_launcher" --wayland -- "$0" --lose-display-at "$stage" "$program" || exit
        done
        echo "PASS"
        exit 0
    fi
    exec "$session_launcher" --wayland -- "$0" "$@"
fi
# Seconds any one step may take; the web engine's first start is the slowest.
step_timeout=${CHAIN_STEP_TIMEOUT:-90}
# Set, the frame's screenshot is copied there (docs/wayland.png is made so).
shots=${WAYLAND_SCREENSHOTS:-}

# Debian's Python, with its accessibility client.
python=/usr/bin/python3
for tool in swaymsg grim wtype dbus-run-session setsid timeout "$python" convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
"$python" -c 'import pyatspi' 2>/dev/null || { echo "skipped: pyatspi is not installed"; exit 77; }
[ -x "$program" ] || { echo "FAIL: no program at $program"; exit 1; }

# The session's user (nobody, when run as root) runs the program and the tools.
read -r -a as_user <<<"$DISPLAY_SESSION_AS_USER"
user=$(id -un) group=$(id -gn)
if [ ${#as_user[@]} != 0 ]; then
    user=nobody
    group=$(id -gn "$user") || { echo "FAIL: no user $user to run the program as"; exit 1; }
fi

# A folder the user can reach: the temporary folder, unless it is private.
make_work() {
    work=$(mktemp -d "$1/temporia-wayland.XXXXXX") || return 1
    chmod 0755 "$work"
    [ ${#as_user[@]} = 0 ] || "${as_user[@]}" test -x "$work" || { rm -rf "$work"; return 1; }
}
make_work "${TMPDIR:-/tmp}" || make_work /tmp || { echo "FAIL: no temporary folder for the test"; exit 1; }

# The program, the system-information program and the web module, side by
# side as the program looks for them.
mkdir "$work/bin"
cp "$program" "$work/bin/"
for f in "$(dirname "$program")"/temporia-sysinfo "$(dirname "$program")"/*.so; do
    [ -e "$f" ] && cp "$f" "$work/bin/"
done
chmod -R a+rX "$work/bin"
app=$work/bin/$(basename "$program")

# A stale system font cache makes every fontconfig program (the compositor,
# the screenshot tool, the program) write a cache of its own into HOME.
[ "$(id -u)" != 0 ] || fc-cache -s >/dev/null 2>&1

run=$work/run
desktop=()
# The session's compositor, its sockets.
sway_pid=$DISPLAY_SESSION_SERVER
socket=$WAYLAND_DISPLAY
ipc=$SWAYSOCK
screen=
session=
pid=
failed=0
started=$(date +%s%N)
say() { printf '[%6.2f s] %s\n' "$(( ($(date +%s%N) - started) / 1000000 ))e-3" "$*"; }

# The program's folders; the desktop's (compositor, D-Bus daemon, tools) apart.
folders=(home config data cache state runtime tmp)
# Fresh folders for a run, owned by the user the run is for.
fresh_folders() {
    rm -rf "$work/run"
    mkdir -p "$work/run/out" "$work/run/desktop/runtime"
    for f in "${folders[@]}"; do mkdir -p "$work/run/$f"; done
    chmod 0700 "$work/run/runtime" "$work/run/desktop/runtime"
    [ ${#as_user[@]} = 0 ] || chown -R "$user:$group" "$work/run"
    run=$work/run
    desktop=(env -i PATH="$PATH" LANG=C.UTF-8 HOME="$run/desktop" XDG_CONFIG_HOME="$run/desktop"
        XDG_CACHE_HOME="$run/desktop" XDG_DATA_HOME="$run/desktop" XDG_STATE_HOME="$run/desktop"
        XDG_RUNTIME_DIR="$run/desktop/runtime" TMPDIR="$run/desktop")
}

# The running processes of the program's session, one a line: id and command
# line. One that has ended but is not yet reaped (a zombie) runs no more.
program_processes() {
    [ -n "$pid" ] || return 0
    ps -e -o sid=,stat=,pid=,args= |
        awk -v sid="$pid" '$1 == sid && $2 !~ /^Z/ { $1 = $2 = ""; print substr($0, 3, 160) }'
}

# Ends what the run started, each by its own id: the program's session, the
# D-Bus session and its daemon. The display session ends the compositor.
stop_run() {
    local p
    for p in $(program_processes | cut -d' ' -f1); do kill -9 "$p" 2>/dev/null; done
    if [ -n "$session" ]; then
        for p in $(ps -o pid= --ppid "$session"); do kill "$p" 2>/dev/null; done
        kill "$session" 2>/dev/null
    fi
    session='' pid=''
}

cleanup() {
    stop_run
    if [ "$failed" = 0 ]; then rm -rf "$work"; else echo "kept for inspection: $work"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# True while the process runs (an ended child stays a zombie until waited for).
running() {
    local state
    state=$(ps -o stat= -p "$1") && [ "${state#Z}" = "$state" ]
}

# The compositor's tools, as the compositor's user with the desktop's folders.
tool() { timeout 20 "${as_user[@]}" "${desktop[@]}" SWAYSOCK="$ipc" WAYLAND_DISPLAY="$socket" "$@"; }

# The windows on the screen, one a line, tab-separated: client's process id,
# tiled or floating, x, y, width, height, visible or hidden, title; the
# workspace's x, y, width and height first, on a line starting with "screen".
views() {
    tool swaymsg -t get_tree -r 2>/dev/null | "$python" -c '
import json, sys
def walk(node):
    if node["type"] == "workspace" and node["name"] != "__i3_scratch":
        r = node["rect"]
        print("screen", r["x"], r["y"], r["width"], r["height"], sep="\t")
    if node.get("pid"):
        r = node["rect"]
        print(node["pid"], "floating" if node["type"] == "floating_con" else "tiled", r["x"], r["y"],
              r["width"], r["height"], "visible" if node.get("visible") else "hidden", node.get("name") or "", sep="\t")
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
try:
    tree = json.load(sys.stdin)
except ValueError:  # no compositor to ask
    sys.exit(0)
walk(tree)'
}

fail() {
    failed=1
    echo "FAIL: $*"
    echo "windows on the screen:"
    views | sed 's/^/  /'
    if [ -n "$sway_pid" ] && running "$sway_pid" && tool grim "$run/out/failure.png" 2>/dev/null; then
        echo "screenshot: $run/out/failure.png"
    fi
    echo "compositor's log:"
    tail -n 10 "$run/out/sway.log" 2>/dev/null | sed 's/^/  /'
    echo "program's output:"
    tail -n 40 "$run/out/program.log" 2>/dev/null | sed 's/^/  /'
    echo "program's stderr:"
    tail -n 40 "$run/out/stderr" 2>/dev/null | sed 's/^/  /'
    exit 1
}

# wait_for WHAT COMMAND...: runs COMMAND until it succeeds, for at most step_timeout seconds.
wait_for() {
    local what=$1
    shift
    local deadline=$(($(date +%s) + step_timeout))
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "no $what within $step_timeout s"
        sleep 0.05
    done
}

# A visible window of the program whose title matches the regular expression;
# its line from views goes to $window, the screen's to $screen.
have_window() {
    local all
    all=$(views)
    screen=$(grep '^screen' <<<"$all" | head -n1)
    window=$(awk -F'\t' -v pid="$pid" '$1 == pid && $7 == "visible"' <<<"$all" |
        while IFS=$'\t' read -r p kind x y w h vis title; do
            [[ $title =~ $1 ]] && printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$p" "$kind" "$x" "$y" "$w" "$h" "$vis" "$title"
        done | head -n1)
    [ -n "$window" ]
}
field() { cut -f"$1" <<<"$2"; }

# The window floats in the middle of the screen: within a pixel across, and
# down within half a title bar, since the compositor centres the window's
# content and reports its place with or without the title bar above it.
centred() {
    local cx=$(($(field 3 "$window") * 2 + $(field 5 "$window")))
    local cy=$(($(field 4 "$window") * 2 + $(field 6 "$window")))
    local sx=$(($(field 2 "$screen") * 2 + $(field 4 "$screen")))
    local sy=$(($(field 3 "$screen") * 2 + $(field 5 "$screen")))
    [ "$(field 2 "$window")" = floating ] && ((cx - sx <= 2 && sx - cx <= 2 && cy - sy <= 32 && sy - cy <= 32))
}

# The compositor's close request, as the window's close box sends it.
close_window() {
    tool swaymsg "[pid=$pid title=\"$1\"] kill" >/dev/null || fail "the compositor found no window \"$1\" to close"
}

# The run's folders, and the session's compositor showing its workspace.
start_compositor() {
    fresh_folders
    compositor_ready() {
        running "$sway_pid" || fail "the compositor ended"
        screen=$(views | grep '^screen' | head -n1)
        [ -n "$screen" ]
    }
    wait_for "compositor" compositor_ready
}

# The program in a D-Bus session and a process session of its own, with its
# folders, in a Wayland session as a desktop starts it: no DISPLAY, the
# compositor's socket named by its path. Sanitizer settings pass through
# when the test runs instrumented.
start_program() {
    local passthrough=()
    for v in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS QT_QUICK_BACKEND; do
        [ -n "${!v:-}" ] && passthrough+=("$v=${!v}")
    done
    # shellcheck disable=SC2016 # $$ and $0 belong to the inner shell
    "${as_user[@]}" "${desktop[@]}" "${passthrough[@]}" dbus-run-session -- \
        env HOME="$run/home" XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/data" XDG_CACHE_HOME="$run/cache" \
        XDG_STATE_HOME="$run/state" XDG_RUNTIME_DIR="$run/runtime" TMPDIR="$run/tmp" \
        XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY="$socket" \
        "${accessible[@]}" setsid --wait sh -c 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$0.bus"; echo $$ >"$0"; exec "$1" 2>"$2"' \
        "$run/out/pid" "$app" "$run/out/stderr" \
        >"$run/out/program.log" 2>&1 &
    session=$!
    pid_known() {
        [ -s "$run/out/pid" ] && return 0
        running "$session" || fail "the program did not start"
        return 1
    }
    wait_for "program" pid_known
    pid=$(cat "$run/out/pid")
}

# The month the calendar shows, read as a screen reader reads it: the 42 day
# cells through the accessibility bus (which a program started with
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON joins). Today's month, or the next one if
# midnight ended a month meanwhile.
read_month() {
    tool env DBUS_SESSION_BUS_ADDRESS="$(cat "$run/out/pid.bus")" "$python" -c '
import calendar, datetime, sys, time
import pyatspi
pid, frame = int(sys.argv[1]), sys.argv[2]
def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)
def cells():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            for window in app:
                if window is not None and window.name == frame:
                    found = [n.queryText().getText(0, -1) for n in walk(window)
                             if n.getRoleName() == "text" and n.name.endswith(("row 1", "row 2", "row 3", "row 4", "row 5", "row 6"))]
                    if len(found) == 42:
                        return found
def expected(day):
    # After a leap February a month that starts on a Monday begins in the
    # second row, as the calendar draws it (May 2028, March 2032).
    start = day.replace(day=1).weekday()
    if start == 0 and day.month > 2 and calendar.isleap(day.year):
        start = 7
    texts = [""] * 42
    for d in range(1, calendar.monthrange(day.year, day.month)[1] + 1):
        texts[start + d - 1] = str(d)
    return texts
deadline = time.monotonic() + 30
while (texts := cells()) is None and time.monotonic() < deadline:
    time.sleep(0.1)
today = datetime.date.today()
for day in (today, today - datetime.timedelta(days=1)):
    if texts == expected(day):
        print(day.strftime("%B %Y"))
        sys.exit(0)
print(f"the cells read {texts}")
sys.exit(1)' "$pid" "A 10000 YEAR TEMPORIA"
}

# Keys typed into the focused window through the compositor's virtual
# keyboard, as wtype spells them. (Return does not reach the program that
# way, the keypad's Enter does.)
type_keys() { tool wtype "$@" || fail "could not type $*"; }

# The splash: the program's first window, floating, which the compositor
# centres (the program cannot place its windows under Wayland). A key ends it.
to_splash() {
    wait_for "splash window" have_window '.'
    [ "$(field 8 "$window")" != "A 10000 YEAR TEMPORIA" ] || fail "no splash before the frame"
    centred || fail "the splash is not a window centred on the screen: $window / $screen"
    say "splash shown, centred on the screen: $(field 5 "$window")x$(field 6 "$window")"
    type_keys a
}

# The frame fills the screen below its title bar, the only window shown.
to_frame() {
    wait_for "main frame" have_window '^A 10000 YEAR TEMPORIA$'
    local w=$window
    [ "$(field 3 "$w")" = "$(field 2 "$screen")" ] && [ "$(field 5 "$w")" = "$(field 4 "$screen")" ] &&
        [ $(($(field 4 "$w") + $(field 6 "$w"))) = $(($(field 3 "$screen") + $(field 5 "$screen"))) ] &&
        [ "$(field 6 "$w")" -ge $(($(field 5 "$screen") - 40)) ] ||
        fail "the frame does not fill the screen: $w / $screen"
    local shown
    shown=$(views | awk -F'\t' -v pid="$pid" '$1 == pid && $7 == "visible"' | wc -l)
    [ "$shown" = 1 ] || fail "other windows are shown beside the frame: $(views)"
    window=$w
    say "a key closed the splash; the main frame fills the screen: $(field 5 "$w")x$(field 6 "$w") at $(field 3 "$w"),$(field 4 "$w")"
}

to_browser() {
    close_window '^A 10000 YEAR TEMPORIA$'
    wait_for "browser window" have_window '^(Navigate my site|Working\.\.\.|TEMPORIA - .*)$'
    say "frame closed; the browser is shown, titled \"$(field 8 "$window")\""
    wait_for "home page" have_window '^TEMPORIA - Welcome$'
    browser=$window
    say "home page loaded: \"TEMPORIA - Welcome\""
    local helpers
    helpers=$(program_processes | grep -c QtWebEngineProcess)
    [ "$helpers" -gt 0 ] || fail "no web-engine helper found in the program's session: the check for leftovers would prove nothing"
    say "$helpers web-engine helper processes running"
    # The program goes without the engine's sandbox as root only.
    if program_processes | grep QtWebEngineProcess | grep -q -e '--no-sandbox'; then
        fail "the web engine runs without its sandbox for an unprivileged user"
    fi
}

to_about() {
    close_window '^TEMPORIA - Welcome$'
    wait_for "About window" have_window '^About TEMPORIA$'
    centred || fail "the About window is not centred on the screen: $window / $screen"
    say "browser closed; the About window is shown, centred"
}

# No process of the program left (a helper may take a moment to see that its
# program is gone), and the program's folders still empty.
nothing_left() {
    local deadline=$(($(date +%s) + 10)) left written
    while [ -n "$(program_processes)" ] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.05; done
    left=$(program_processes)
    [ -z "$left" ] || fail "processes of the program still running after 10 s:
$left"
    written=$(cd "$run" && find "${folders[@]}" -mindepth 1 2>/dev/null)
    [ -z "$written" ] || fail "the program left files behind:
$written"
}

ended() { ! running "$session"; }

# What the program may write on stderr, one extended regular expression a
# line, with the reason. Run as an ordinary user, the web engine's renderer
# runs in its sandbox, where fontconfig cannot read its configuration: the
# renderer of the engine's own error page says so on its first page.
acceptable_stderr=('^Fontconfig error: Cannot load default config file: No such file: \(null\)$')

accessible=()
if [ "$mode" = chain ]; then
    accessible=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
    start_compositor
    say "compositor started: $(field 4 "$screen")x$(field 5 "$screen") on $(basename "$socket")"
    start_program
    say "program started (process $pid)"
    to_splash
    to_frame
    month=$(read_month) || fail "the calendar is not on today's month: $month"
    say "the calendar shows today's month: $month, read from its 42 day cells"
    tool grim "$run/out/frame.png" || fail "no screenshot of the frame"
    [ -z "$shots" ] || cp "$run/out/frame.png" "$shots/wayland.png"
    to_browser
    # The page is on the screen, not only loaded: the site's navy header
    # fills a band of the view.
    header_painted() {
        local geometry navy
        geometry="$(field 3 "$browser"),$(field 4 "$browser") $(field 5 "$browser")x$(field 6 "$browser")"
        tool grim -g "$geometry" "$run/out/browser.png" 2>/dev/null || return 1
        navy=$(convert "$run/out/browser.png" -fill white +opaque '#000080' -fill black -opaque '#000080' \
            -negate -format '%[fx:mean*w*h]' info: 2>/dev/null)
        [ "${navy%.*}" -gt 5000 ] 2>/dev/null
    }
    wait_for "home page painted in the window" header_painted
    say "the home page is painted"
    # Unlike on X11 the OpenGL driver is loaded even without a graphics
    # device: Qt's Wayland plugin loads its EGL integration with the first
    # window, to learn whether it may draw window decorations.
    # Addresses a person may type: one the engine answers with its own error
    # page, and one the browser refuses with a page of the program's own.
    type_address() {
        type_keys -M alt a -m alt
        type_keys -M ctrl a -m ctrl
        type_keys "$1"
        type_keys -k KP_Enter
    }
    type_address 'http://127.0.0.1:1/'
    wait_for "engine's error page" have_window '^127\.0\.0\.1$'
    say "the engine's error page for an unreachable address is shown"
    type_address 'hello world'
    wait_for "page saying why" have_window '^TEMPORIA - Not an address$'
    say "\"hello world\" brought the page saying why it is no address"
    close_window '^TEMPORIA - Not an address$'
    wait_for "About window" have_window '^About TEMPORIA$'
    centred || fail "the About window is not centred on the screen: $window / $screen"
    say "browser closed; the About window is shown, centred"
    close_window '^About TEMPORIA$'
    wait_for "end of the program" ended
    wait "$session"
    code=$?
    say "About closed; the program ended with exit code $code"
    [ "$code" = 0 ] || fail "exit code $code, not 0"
    nothing_left
    say "no process of the program is left; home, XDG and temporary folders still empty"
    said=$(grep -v -E -f <(printf '%s\n' "${acceptable_stderr[@]}") "$run/out/stderr")
    [ -z "$said" ] || fail "the program wrote on stderr:
$said"
    say "nothing written on stderr$(grep -q . "$run/out/stderr" && echo " but the accepted: $(cat "$run/out/stderr")")"
    stop_run
    echo "PASS"
    exit 0
fi

# --lose-display-at: the compositor ends while the program shows that stage.
start_compositor
start_program
to_splash
[ "$stage" = splash ] || to_frame
[ "$stage" = splash ] || [ "$stage" = frame ] || to_browser
[ "$stage" != About ] || to_about
kill "$sway_pid"
lost=$(date +%s%N)
wait_for "end of the program once the compositor ended" ended
wait "$session"
code=$?
say "compositor ended at the $stage; the program ended $(( ($(date +%s%N) - lost) / 1000000 )) ms later with exit code $code"
[ "$code" = 1 ] || fail "exit code $code, not 1"
lines=$(wc -l <"$run/out/stderr")
[ "$lines" = 1 ] && grep -q "^$(basename "$app"): .*display" "$run/out/stderr" ||
    fail "not the program's one line about the display on stderr"
say "  stderr: $(cat "$run/out/stderr")"
nothing_left
say "  no process of the program left, no file written"
stop_run
echo "PASS"
