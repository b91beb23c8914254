#!/bin/sh
# Renders the bartender's recording of the song (placeholder: the tune alone).
# usage: make_vocals.sh SONG.mid OUT.mp3 WORKDIR
set -eu
song=$1 out=$2 work=$3
mkdir -p "$work"
timidity -c "$(dirname "$0")/../../assets/music/timidity.cfg" -Ow -s 44100 -o "$work/backing.wav" "$song" >/dev/null 2>&1
lame --quiet -b 128 "$work/backing.wav" "$out"
