#!/bin/sh
# Makes the small recordings the MP3 streaming tests play, each with what
# mpg123 decodes from it, in the folder given:
#   short.mp3  stereo 44.1 kHz, smaller than one 32768-byte block
#   exact.mp3  stereo 44.1 kHz, cut to exactly one block
#   long.mp3   mono 22.05 kHz, several blocks
# and short.wav, exact.wav, long.wav beside them.
set -eu
out=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

sox -n -r 44100 -c 2 -b 16 "$tmp/short.wav" synth 0.6 sine 440 sine 660 gain -6
lame --quiet -b 128 "$tmp/short.wav" "$out/short.mp3"

sox -n -r 44100 -c 2 -b 16 "$tmp/exact.wav" synth 3 sine 330-880 sine 550 gain -6
lame --quiet -b 128 "$tmp/exact.wav" "$tmp/exact.mp3"
head -c 32768 "$tmp/exact.mp3" > "$out/exact.mp3"

sox -n -r 22050 -c 1 -b 16 "$tmp/long.wav" synth 20 sine 220-660 tremolo 3 gain -6
lame --quiet -m m -b 64 "$tmp/long.wav" "$out/long.mp3"

for name in short exact long; do
    mpg123 -q -w "$out/$name.wav" "$out/$name.mp3"
done
