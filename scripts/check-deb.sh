#!/bin/sh
# Builds the .deb from a release build, installs it on this system with dpkg
# (apt-get fetches whatever dependency is missing), starts the installed
# program on a private Xvfb display and waits for the splash window and then
# the main frame to appear (maximised, when openbox is there to maximise it),
# and removes the package again. Needs root.
#
#   scripts/check-deb.sh [BUILD_DIR]      (default: build/deb)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/deb}
wait_s=30

cmake --preset release -S "$root" -B "$build" -DTEMPORIA_BUILD_TESTS=OFF -DTEMPORIA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB)
deb=$(ls -t "$build"/temporia_*.deb | head -n 1)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends

was_installed=no
dpkg -s temporia >/dev/null 2>&1 && was_installed=yes
app= xvfb= wm=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    if [ "$was_installed" = no ]; then dpkg -r temporia >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

dpkg -i "$deb" || apt-get -f install -y
for f in /usr/bin/temporia /usr/share/applications/temporia.desktop /usr/share/metainfo/temporia.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/temporia.png /usr/share/icons/hicolor/32x32/apps/temporia.png; do
    [ -e "$f" ] || { echo "not installed: $f" >&2; exit 1; }
done

# A display number nobody uses.
n=90
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
i=0
while [ ! -e /tmp/.X11-unix/X$n ]; do
    i=$((i + 1)); [ $i -lt 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
export DISPLAY=:$n
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm=$!
    # Ready once it announces itself on the root window.
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        i=$((i + 1)); [ $i -lt 300 ] || { echo "openbox did not start" >&2; exit 1; }
        sleep 0.1
    done
fi
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY /usr/bin/temporia &
app=$!

# The first visible window that xdotool search finds with these options, or
# failure after $wait_s seconds. Polled here rather than with --sync: a window
# that goes away in the middle of a search makes xdotool fail.
wait_for_window() {
    i=0
    while :; do
        w=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        i=$((i + 1)); [ $i -lt $((wait_s * 10)) ] || return 1
        sleep 0.1
    done
}

splash=$(wait_for_window --class temporia) || { echo "no splash window within $wait_s s" >&2; exit 1; }
geometry=$(xdotool getwindowgeometry "$splash" | tr '\n' ' ')
echo "== splash window $splash: $geometry"
# 7380 x 4245 twips and a 2-pixel border around them.
echo "$geometry" | grep -q 'Geometry: 496x287' || { echo "that is not the splash window" >&2; exit 1; }
frame=$(wait_for_window --name '^A 10000 YEAR TEMPORIA$') || { echo "no main frame within $wait_s s" >&2; exit 1; }
if [ -n "$wm" ]; then
    # Maximised: as wide as the screen.
    i=0
    while ! xdotool getwindowgeometry "$frame" | grep -q 'Geometry: 1280x'; do
        i=$((i + 1)); [ $i -lt 50 ] || { echo "the main frame is not maximised" >&2; exit 1; }
        sleep 0.1
    done
fi
echo "== main frame $frame: $(xdotool getwindowgeometry "$frame" | tr '\n' ' ')"
kill -0 "$app" || { echo "the program ended early" >&2; exit 1; }
echo "== the installed package starts: splash, then the main frame"
