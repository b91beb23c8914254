#!/bin/sh
# Renders one SVG picture into the 24-bit BMP the data-file grabber takes.
#   sprite: drawn with the library's mask colour; the alpha is cut at 50 %
#           and everything transparent becomes magenta (255, 0, 255), so the
#           edge is either the picture's own colour or the mask, never a blend.
#   opaque: copied whole; flattened onto its own background. An opaque
#           picture must hold no magenta pixel (the field is also drawn masked).
# usage: render_picture.sh sprite|opaque IN.svg OUT.bmp
set -eu
mode=$1 in=$2 out=$3
png="$out.png"
rsvg-convert "$in" -o "$png"
case "$mode" in
    sprite)
        convert "$png" -channel A -threshold 50% +channel -background '#ff00ff' \
            -alpha remove -alpha off -type TrueColor "BMP3:$out" ;;
    opaque)
        masked=$(convert "$png" -background '#000000' -alpha remove -alpha off -type TrueColor \
            -write "BMP3:$out" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
            -format '%[fx:int(mean*w*h+0.5)]' info:)
        if [ "$masked" != 0 ]; then
            echo "$in: $masked pixels of the mask colour in an opaque picture" >&2
            rm -f "$out"
            exit 1
        fi ;;
    *)
        echo "render_picture.sh: unknown mode $mode" >&2
        exit 2 ;;
esac
rm -f "$png"
