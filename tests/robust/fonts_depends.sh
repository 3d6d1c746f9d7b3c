#!/bin/bash
# The package depends on the packages that hold the fonts the windows name,
# so that a normal install draws them as designed: for each family, the
# Debian package that installed its files here must be in the .deb's Depends.
#
#   fonts_depends.sh CPACK_CONFIG      (the build's CPackConfig.cmake)
set -u
config=${1:?usage: fonts_depends.sh CPACK_CONFIG}
for tool in fc-list dpkg; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
depends=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_DEPENDS "\(.*\)")$/\1/p' "$config")
[ -n "$depends" ] || { echo "FAIL: the package names no dependencies in $config"; exit 1; }
echo "Depends: $depends"
failed=0
for family in "Liberation Sans" "Liberation Serif" "Z003"; do
    file=$(fc-list -f '%{file}\n' "$family" | head -n1)
    [ -n "$file" ] || { echo "FAIL: $family is not installed here (scripts/deps.txt installs it)"; failed=1; continue; }
    package=$(dpkg -S "$(readlink -f "$file")" 2>/dev/null | head -n1 | cut -d: -f1)
    [ -n "$package" ] || { echo "FAIL: no package holds $file"; failed=1; continue; }
    # Each name of the list, alternatives included, without its version.
    if tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//;s/[ (].*//' | grep -qx "$package"; then
        echo "$family: $package, a dependency"
    else
        echo "FAIL: $family comes with $package, which the package does not depend on"
        failed=1
    fi
done
exit $failed
