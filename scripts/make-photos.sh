#!/bin/sh
# Makes the four background photographs from Debian's lomiri-wallpapers-16.04
# (CC-BY-4.0 and CC0, see resources/CREDITS): each cropped to fill its size and
# written as an uncompressed 8-bit bitmap with a 256-colour table, bottom-up,
# pixels at byte 1078.
set -eu
src=/usr/share/backgrounds
out=$(dirname "$0")/../resources/photos
mkdir -p "$out"
make() { # index source size bytes
    convert "$src/$2.jpg" -resize "$3^" -gravity center -extent "$3" \
        -dither FloydSteinberg -colors 256 -type Palette -compress none "BMP3:$out/photo$1.bmp"
    size=$(stat -c %s "$out/photo$1.bmp")
    [ "$size" -eq "$4" ] || { echo "photo$1.bmp is $size bytes, expected $4" >&2; exit 1; }
}
make 0 life_by_Aitzol_Berasategi 523x601 316002
make 1 friends_by_Aitzol_Berasategi 522x783 411370
make 2 seeding_by_Clements_Engelhardt 791x470 373318
make 3 aitzgorri_by_Aitzol_Berasategi 783x522 410326
