#!/bin/sh
# Builds the .deb from a release build and has lintian check it (any error or
# warning fails), installs it on this system with dpkg (apt-get fetches
# whatever dependency is missing), starts the installed program in a display
# session of its own (scripts/display-session.sh: Xvfb, openbox and a session
# bus) and waits for the splash window and then the main frame to appear
# (maximised), purges the package again and checks that nothing of it is
# left on disk. Needs root.
#
#   scripts/check-deb.sh [BUILD_DIR]      (default: build/deb)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
wait_s=30

# On the display: the splash window, then the main frame, maximised.
if [ "${1:-}" = --on-display ]; then
    /usr/bin/temporia &
    app=$!
    trap 'kill "$app" 2>/dev/null && wait "$app" 2>/dev/null' EXIT

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
    # Maximised: as wide as the screen.
    i=0
    while ! xdotool getwindowgeometry "$frame" | grep -q 'Geometry: 1280x'; do
        i=$((i + 1)); [ $i -lt 50 ] || { echo "the main frame is not maximised" >&2; exit 1; }
        sleep 0.1
    done
    echo "== main frame $frame: $(xdotool getwindowgeometry "$frame" | tr '\n' ' ')"
    kill -0 "$app" || { echo "the program ended early" >&2; exit 1; }
    echo "== the installed package starts: splash, then the main frame"
    exit 0
fi
build=${1:-$root/build/deb}

# The /usr prefix gives Debian's multiarch library folder, so the web module
# lands in usr/lib/<arch>/temporia, where CPack adds no ldconfig call for it:
# it is a private module the program loads by path, never a library for the
# dynamic linker.
launcher=
command -v ccache >/dev/null && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --preset release -S "$root" -B "$build" -DTEMPORIA_BUILD_TESTS=OFF -DTEMPORIA_BUILD_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr $launcher >/dev/null
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB)
deb=$(ls -t "$build"/temporia_*.deb | head -n 1)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends

echo "== lintian"
lintian --fail-on error,warning "$deb" || { echo "lintian found faults" >&2; exit 1; }

# Every path on the root file system but those that change whatever is
# installed: /proc, /sys, /dev and /run (the kernel's and the running
# system's), /tmp and /var/tmp (scratch space, Xvfb's sockets), /var/log
# (apt's and dpkg's logs), /var/lib/apt, /var/cache/apt and /var/lib/dpkg
# (the package manager's own records of the install and purge),
# /var/cache/debconf and /var/cache/man (caches rebuilt by every dpkg run and
# man-db's trigger), /root/.cache (ccache and the like) and /work (the source
# checkouts, where other builds may run meanwhile).
snapshot() {
    find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp -o -path /var/tmp \
        -o -path /var/log -o -path /var/lib/apt -o -path /var/cache/apt -o -path /var/lib/dpkg \
        -o -path /var/cache/debconf -o -path /var/cache/man -o -path /root/.cache -o -path /work \) -prune \
        -o -print | LC_ALL=C sort
}
before=$(mktemp) after=$(mktemp)

was_installed=no
dpkg -s temporia >/dev/null 2>&1 && was_installed=yes
cleanup() {
    if [ "$was_installed" = no ]; then apt-get purge -y temporia >/dev/null 2>&1 || true; fi
    rm -f "$before" "$after"
}
trap cleanup EXIT

[ "$was_installed" = no ] || { echo "temporia is installed already: remove it first" >&2; exit 1; }
snapshot >"$before"
dpkg -i "$deb" || apt-get -f install -y
for f in /usr/bin/temporia /usr/bin/temporia-sysinfo /usr/share/applications/temporia.desktop \
    /usr/share/metainfo/temporia.metainfo.xml /usr/share/icons/hicolor/16x16/apps/temporia.png \
    /usr/share/icons/hicolor/32x32/apps/temporia.png /usr/share/man/man1/temporia.1.gz \
    /usr/share/man/man1/temporia-sysinfo.1.gz /usr/share/doc/temporia/copyright \
    /usr/share/doc/temporia/changelog.Debian.gz; do
    [ -e "$f" ] || { echo "not installed: $f" >&2; exit 1; }
done

# The installed program in a display session of its own (Xvfb, openbox
# and a session bus), this script again as its command.
"$root/scripts/display-session.sh" -- "$0" --on-display || exit 1

echo "== apt-get purge"
apt-get purge -y temporia >/dev/null
snapshot >"$after"
# What the purge left behind or took away. Files of other packages are theirs
# (dependencies apt-get brought in stay installed); anything else is ours.
left=$(LC_ALL=C comm -13 "$before" "$after" | while read -r f; do
    dpkg -S "$f" >/dev/null 2>&1 || echo "left on disk: $f"
done)
gone=$(LC_ALL=C comm -23 "$before" "$after" | sed 's/^/gone from disk: /')
if [ -n "$left$gone" ]; then
    printf '%s\n' "$left" "$gone" | sed '/^$/d' >&2
    exit 1
fi
echo "== purged: nothing of the package is left on disk"
