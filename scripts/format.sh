#!/bin/sh
# Formats every C++ source of the project in place.
cd "$(dirname "$0")/.." || exit 1
git ls-files -co --exclude-standard -- '*.h' '*.cpp' | xargs "$(command -v clang-format-14 || echo clang-format)" -i
