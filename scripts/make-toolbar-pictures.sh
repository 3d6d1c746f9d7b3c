#!/bin/sh
# Makes the six toolbar pictures from Debian's tango-icon-theme (public
# domain, see resources/CREDITS): each 24x24 icon put onto silver (#C0C0C0,
# the mask colour the browser's image list makes transparent) and written as
# an uncompressed 8-bit bitmap with a colour table. A mask is all or nothing:
# pixels at least half opaque keep their colour, the rest (soft shadows and
# the outer edge of the anti-aliasing) become silver, so that no grey halo
# shows on a toolbar of another colour. Each picture also comes at twice the
# size (name@2x.bmp, 48x48), drawn from the icon's scalable original, for
# screens with a device pixel ratio of 2.
set -eu
src=/usr/share/icons/Tango/24x24/actions
scalable=/usr/share/icons/Tango/scalable/actions
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
out=$(dirname "$0")/../resources/toolbar
mkdir -p "$out"
onSilver() { # in.png out.bmp
    convert "$1" -channel A -threshold 50% +channel -background '#C0C0C0' -alpha remove -alpha off \
        -type Palette -compress none "BMP3:$2"
}
make() { # name icon
    rsvg-convert -w 48 -h 48 "$scalable/$2.svg" -o "$tmp/$1@2x.png"
    onSilver "$tmp/$1@2x.png" "$out/$1@2x.bmp"
    convert "$src/$2.png" -channel A -threshold 50% +channel -background '#C0C0C0' -alpha remove -alpha off \
        -type Palette -compress none "BMP3:$out/$1.bmp"
    size=$(identify -format '%wx%h' "$out/$1.bmp")
    bits=$(od -An -tu2 -j28 -N2 "$out/$1.bmp" | tr -d ' ')
    [ "$size" = 24x24 ] || { echo "$1.bmp is $size, expected 24x24" >&2; exit 1; }
    [ "$bits" = 8 ] || { echo "$1.bmp has $bits bits per pixel, expected 8" >&2; exit 1; }
    # The icon's empty corner must stay exactly the mask colour.
    corner=$(convert "$out/$1.bmp" -format '%[hex:p{0,0}]' info:)
    [ "$corner" = C0C0C0 ] || { echo "$1.bmp corner is #$corner, expected #C0C0C0" >&2; exit 1; }
}
make back go-previous
make forward go-next
make stop process-stop
make refresh view-refresh
make home go-home
make search system-search
