#!/bin/sh
# Builds one data file from a list (index, type, file) with Allegro's dat tool.
# Objects are added one by one with -n0 so that they keep the list's order and
# so the indices of the game's catalogue.
# usage: make_datafile.sh LIST ASSETDIR OUTPUT
set -eu
list=$1 assets=$2 out=$3
tmp="$out.tmp"
rm -f "$tmp"
expected=0
grep -v '^[[:space:]]*#' "$list" | grep -v '^[[:space:]]*$' | while read -r index type file; do
    if [ "$index" != "$expected" ]; then
        echo "$list: index $index out of order (expected $expected)" >&2
        exit 1
    fi
    src="$assets/$file"
    if [ ! -s "$src" ]; then
        echo "$list: object $index: $src is missing or empty" >&2
        exit 1
    fi
    case "$type" in
        BMP) dat -n0 -a -t BMP -bpp 32 "$tmp" "$src" >/dev/null ;;
        *) dat -n0 -a -t "$type" "$tmp" "$src" >/dev/null ;;
    esac
    expected=$((expected + 1))
done
dat -n0 -s1 "$tmp" >/dev/null
mv "$tmp" "$out"
