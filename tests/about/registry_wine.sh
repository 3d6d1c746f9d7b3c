#!/bin/bash
# The About window's Windows registry reader and launcher, run under Wine
# against the system's own registry. In a Wine prefix made for this run it
# stores the registry case table (registrycases.h), reads every row back
# through the reader and compares the answers with those of the registry
# double on this system. Then it starts a small Windows program through the
# launcher from a folder whose name has blanks and a ';', and a program that
# is not there.
#
#   registry_wine.sh MINGW_CXX SOURCE_DIR DOUBLE_ANSWERS
# DOUBLE_ANSWERS is the program that prints the double's answers.
# Exit codes: 0 passed, 1 failed, 77 skipped (Wine is not installed).
set -u

mingw=${1:?usage: registry_wine.sh MINGW_CXX SOURCE_DIR DOUBLE_ANSWERS}
src=${2:?}
double_answers=${3:?}

for tool in wine wineserver; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/temporia-wine.XXXXXX") || exit 1
# A prefix of this run's own, whoever runs it and whatever HOME is.
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# A path on this system as Wine's programs see it (drive Z: is the root).
windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

# The prefix takes a few seconds to make; the programs build meanwhile.
wine wineboot -i >"$work/wineboot.log" 2>&1 &
boot=$!

flags=(-std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -static)
"$mingw" "${flags[@]}" -I"$src/forms/about" -I"$src/platform" \
    "$src/forms/about/registry.cpp" "$src/forms/about/windowsregistry.cpp" "$src/platform/windowslauncher.cpp" \
    "$src/tests/about/registry_wine.cpp" -ladvapi32 -o "$work/registry_wine.exe" || fail "registry_wine.exe does not build"
tools="$work/Sys Info; Tools"
mkdir -p "$tools"
"$mingw" "${flags[@]}" "$src/tests/about/launchprobe.cpp" -o "$tools/launchprobe.exe" || fail "launchprobe.exe does not build"

wait "$boot" || { cat "$work/wineboot.log"; fail "wineboot could not make the prefix"; }

# The registry case table, stored and read back.
wine "$work/registry_wine.exe" write || fail "could not store the case table"
wine "$work/registry_wine.exe" read >"$work/system.txt" || fail "the reader did not run"
"$double_answers" >"$work/double.txt" || fail "the double's answers did not run"
echo "Registry case table under Wine:"
cat "$work/system.txt"
diff -u "$work/double.txt" "$work/system.txt" || fail "the system answers differently from the double"

# The launcher: the program starts, as the file it is, with no arguments.
probe=$(windows_path "$tools/launchprobe.exe")
log="$work/probe.log"
started=$(TEMPORIA_PROBE_LOG=$(windows_path "$log") wine "$work/registry_wine.exe" launch "$probe") || fail "launch did not run"
[ "$started" = started ] || fail "the launcher answered \"$started\" for $probe"
for _ in $(seq 300); do
    [ -e "$log" ] && break
    sleep 0.1
done
[ -e "$log" ] || fail "the program was not started from $tools"
[ "$(tr -d '\r' <"$log")" = "$probe" ] || fail "the program was started as \"$(cat "$log")\", not as $probe"
echo "Started: $probe"

missing=$(wine "$work/registry_wine.exe" launch "$(windows_path "$tools/missing.exe")") || fail "launch did not run"
[ "$missing" = "error 53" ] || fail "a missing program gave \"$missing\", not error 53"
echo "A missing program: $missing"
