#!/bin/sh
# Formats every C++ source of the project in place.
cd "$(dirname "$0")/.." || exit 1
git ls-files -co --exclude-standard -- '*.h' '*.cpp' | xargs clang-format -i
