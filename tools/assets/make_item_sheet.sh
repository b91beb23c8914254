#!/bin/sh
# Assembles the item sheet: nine 30 x 30 item pictures on a 90 x 90 sprite,
# kind k at ((k / 3) * 30, (k % 3) * 30), so kinds 0, 1, 2 fill the first
# column from top to bottom. Transparent parts become the mask colour, as for
# every sprite (see render_picture.sh).
# usage: make_item_sheet.sh OUT.bmp ITEM0.svg ... ITEM8.svg
set -eu
out=$1
shift
if [ $# -ne 9 ]; then
    echo "make_item_sheet.sh: nine item pictures expected, got $#" >&2
    exit 2
fi
tmp="$out.d"
rm -rf "$tmp"
mkdir -p "$tmp"
k=0
layers=""
for svg in "$@"; do
    rsvg-convert "$svg" -o "$tmp/$k.png"
    size=$(identify -format '%wx%h' "$tmp/$k.png")
    if [ "$size" != 30x30 ]; then
        echo "$svg: item pictures are 30x30, this one is $size" >&2
        exit 1
    fi
    layers="$layers $tmp/$k.png -geometry +$((k / 3 * 30))+$((k % 3 * 30)) -composite"
    k=$((k + 1))
done
# shellcheck disable=SC2086  # layers is a word list built above
convert -size 90x90 xc:none $layers -channel A -threshold 50% +channel \
    -background '#ff00ff' -alpha remove -alpha off -type TrueColor "BMP3:$out"
rm -rf "$tmp"
