#!/bin/sh
# Sets the project up on Debian 12 and builds it, then
#   scripts/dev.sh run           starts the program
#   scripts/dev.sh test [preset] runs the whole test suite headless (preset: dev, asan, release)
# Only what is missing is installed (apt-get, as root or through sudo), and
# only what changed is rebuilt, so a second run is quick.
set -eu
cd "$(dirname "$0")/.."

action=${1:-}
preset=${2:-dev}
case "$action" in
run | test) ;;
*)
    echo "usage: $0 run | test [dev|asan|release]" >&2
    exit 2
    ;;
esac

missing=$(sed -e 's/#.*//' scripts/deps.txt | while read -r pkg; do
    [ -z "$pkg" ] && continue
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed' || echo "$pkg"
done)
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: $(echo $missing)"
    $sudo apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing
fi

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"

if [ "$action" = run ]; then
    exec "build/$preset/bin/temporia"
fi
QT_QPA_PLATFORM=offscreen ctest --preset "$preset"
