#!/bin/sh
# Makes the program icon from Tango's x-office-calendar (public domain, see
# resources/CREDITS): one .ico of three images, 32x32 in 2 colours (black and
# white), 32x32 and 16x16 in the 16 standard colours, each with a transparency
# mask. The 16-colour images also go out as PNGs for desktops' icon themes
# (logo.png 32x32, temporia-16.png), and as XPMs for the program itself: the
# window icon, and the logo the splash and About windows show. Qt reads XPM
# itself, so the program reads them without bringing in libpng.
set -eu
src=/usr/share/icons/Tango
out=$(dirname "$0")/../resources/icons
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

# The 16 colours every VGA display shows, as a palette to map onto.
convert -size 1x1 xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' xc:'#000080' xc:'#800080' \
    xc:'#008080' xc:'#c0c0c0' xc:'#808080' xc:'#ff0000' xc:'#00ff00' xc:'#ffff00' xc:'#0000ff' \
    xc:'#ff00ff' xc:'#00ffff' xc:'#ffffff' +append "$tmp/vga.png"

# reduce SOURCE COLOURS OUT: the picture's colours mapped onto COLOURS, no
# dithering (it only speckles an icon this small), with the transparency
# cut to clear or opaque, as an icon's mask has no between.
reduce() {
    convert \( "$1" -alpha off $2 \) \( "$1" -alpha extract -threshold 50% \) -alpha off \
        -compose CopyOpacity -composite -strip -define png:exclude-chunks=date,time "PNG8:$3"
}
reduce "$src/32x32/mimetypes/x-office-calendar.png" "-colorspace gray -threshold 70%" "$tmp/mono32.png"
reduce "$src/32x32/mimetypes/x-office-calendar.png" "-dither None -remap $tmp/vga.png" "$out/logo.png"
reduce "$src/16x16/mimetypes/x-office-calendar.png" "-dither None -remap $tmp/vga.png" "$out/temporia-16.png"
convert "$out/logo.png" "$out/logo.xpm"
convert "$out/temporia-16.png" "$out/temporia-16.xpm"
icotool -c -o "$out/temporia.ico" "$tmp/mono32.png" "$out/logo.png" "$out/temporia-16.png"
icotool -l "$out/temporia.ico"
