#!/bin/bash
# The package depends on packages that hold the fonts the windows name, so
# that a normal install draws them as designed: for each family, one of the
# .deb's Depends (alternatives included) must install a font file of that
# family. The answer comes from the dependencies' own files, so other font
# packages on this machine (fonts-liberation beside fonts-liberation2, say)
# and the order fontconfig lists files in do not change it.
#
#   fonts_depends.sh CPACK_CONFIG [PACKAGE]
#
# CPACK_CONFIG is the build's CPackConfig.cmake; PACKAGE, when given, is
# taken out of its Depends first (to show that the check fails without it).
set -u
config=${1:?usage: fonts_depends.sh CPACK_CONFIG [PACKAGE]}
drop=${2:-}
for tool in fc-scan dpkg-query; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
depends=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_DEPENDS "\(.*\)")$/\1/p' "$config")
[ -n "$depends" ] || { echo "FAIL: the package names no dependencies in $config"; exit 1; }
# Each name of the list, alternatives included, without its version.
packages=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//;s/[ (].*//' | grep -v -x -F -e "$drop" -e '' | sort -u)
echo "Depends: $(echo $packages)"

# Every family of every font file the dependencies install, one a line.
families=$(for package in $packages; do
    dpkg-query -L "$package" 2>/dev/null | grep -E '\.(ttf|otf|t1|pfb|ttc)$' | while read -r file; do
        [ -f "$file" ] && fc-scan -f '%{family}\n' "$file"
    done
done | tr ',' '\n' | sort -u)

failed=0
for family in "Liberation Sans" "Liberation Serif" "Z003"; do
    if grep -qx -F "$family" <<<"$families"; then
        echo "$family: installed by a dependency"
    else
        echo "FAIL: no dependency of the package installs $family (is it installed? scripts/deps.txt lists it)"
        failed=1
    fi
done
exit $failed
