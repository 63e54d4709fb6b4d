#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the window's 64x64 icon (vornel.png): a 3x3 grid on the window's pale yellow, one cell green (a digit
# just placed), two red (the digit cannot go there), one orange (another digit stands there), the
# rest white. Run from anywhere; rewrites vornel.png next to this script. Needs ImageMagick's
# convert (the Debian one: a stand-in convert may come first on PATH).
set -eu
here=$(dirname "$0")
CONVERT=${CONVERT:-/usr/bin/convert}

# fill colour of cell (column, row), both 0-2
cell_colour() {
    case "$1$2" in
        11) echo '#22ff22' ;;
        01|20) echo '#ff2222' ;;
        12) echo '#fa9404' ;;
        *) echo '#ffffff' ;;
    esac
}

draw=""
for r in 0 1 2; do
    for c in 0 1 2; do
        x0=$((8 + 16 * c)); y0=$((8 + 16 * r))
        draw="$draw -fill '$(cell_colour "$c" "$r")' -draw 'rectangle $x0,$y0 $((x0 + 16)),$((y0 + 16))'"
    done
done

eval "$CONVERT" -size 64x64 xc:none \
    -fill "'#ffff99'" -stroke "'#404040'" -strokewidth 2 -draw "'roundrectangle 1,1 62,62 8,8'" \
    -stroke black -strokewidth 2 $draw \
    -depth 8 -define png:exclude-chunks=date,time -strip "'$here/vornel.png'"

# The installed icons: vornel.svg (the scalable one, kept by hand) rendered at the usual hicolor
# sizes into hicolor/<size>x<size>/vornel.png. Needs rsvg-convert (librsvg2-bin).
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$here/hicolor/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$here/vornel.svg" |
        "$CONVERT" - -depth 8 -define png:exclude-chunks=date,time -strip "$here/hicolor/${size}x${size}/vornel.png"
done
