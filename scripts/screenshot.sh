#!/bin/sh
# Takes the README's screenshot of the real program: a virtual X screen with a
# window manager, the program as a person starts it, a picture of the whole
# screen once the main frame is up.
#   scripts/screenshot.sh [output.png] [preset] [scale]
# With a scale of 2 the screen is twice as large each way and the program
# runs at a device pixel ratio of 2 (QT_SCALE_FACTOR).
set -eu
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
preset=${2:-dev}
scale=${3:-1}
program="$PWD/build/$preset/bin/temporia"
[ -x "$program" ] || { echo "build the $preset preset first" >&2; exit 1; }

export QT_SCALE_FACTOR="$scale"
# The frame is polled for rather than waited for with --sync: a window that
# goes away in the middle of a search (the splash) makes xdotool fail.
scripts/display-session.sh --size $((1280 * scale))x$((800 * scale)) -- sh -c "
    '$program' >/dev/null 2>&1 &
    app=\$!
    i=0
    until xdotool search --onlyvisible --name 'A 10000 YEAR TEMPORIA' >/dev/null 2>&1; do
        i=\$((i + 1)); [ \$i -lt 600 ] || { echo 'no main frame within 60 s' >&2; kill \$app; exit 1; }
        sleep 0.1
    done
    sleep 2
    import -window root '$out'
    status=\$?
    kill \$app
    exit \$status
"
echo "$out"
