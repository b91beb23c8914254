#!/bin/sh
# The game's sound effects, each synthesised with sox from nothing.
# usage: effects.sh NAME OUT.wav   (NAME: shot misfire burst remove bonus hiccup)
#
# Each recipe makes the raw sound; all are then brought to one loudness (RMS
# of the sound without its silent tail) so that no effect drowns another, and
# written as 16-bit mono at 22050 Hz, a sample format the data file takes.
# sox -R makes the noise repeatable, so every build gives the same files.
set -eu
name=$1 out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fmt="-r 22050 -c 1 -b 16"
sx() { sox -R -V1 "$@"; }

case "$name" in
    shot)
        # A springy thwump: a low thump falling in pitch, with a wobbling
        # spring "boing" over it.
        sx -n $fmt "$tmp/a.wav" synth 0.28 sine 150-45 fade q 0.003 0.28 0.2
        sx -n $fmt "$tmp/b.wav" synth 0.28 sine 420-260 tremolo 24 90 fade q 0.003 0.28 0.25 gain -3
        sx -n $fmt "$tmp/c.wav" synth 0.05 brownnoise lowpass 600 fade q 0.002 0.05 0.04
        sx -m "$tmp/a.wav" "$tmp/b.wav" "$tmp/c.wav" "$tmp/raw.wav" ;;
    misfire)
        # The same thwump, then a surprised slide upwards.
        sx -n $fmt "$tmp/a.wav" synth 0.28 sine 150-45 fade q 0.003 0.28 0.2
        sx -n $fmt "$tmp/b.wav" synth 0.45 sine 260-1100 tremolo 9 40 fade q 0.05 0.45 0.12 gain -4 pad 0.12
        sx -m "$tmp/a.wav" "$tmp/b.wav" "$tmp/raw.wav" ;;
    burst)
        # A wet splash: a burst of filtered noise that dies away, with drops
        # falling back.
        sx -n $fmt "$tmp/a.wav" synth 0.5 pinknoise lowpass 2500 highpass 200 fade p 0.005 0.5 0.45
        sx -n $fmt "$tmp/b.wav" synth 0.04 sine 1800-900 fade q 0.002 0.04 0.03 pad 0.16 \
            : synth 0.04 sine 2200-1200 fade q 0.002 0.04 0.03 pad 0.07 \
            : synth 0.04 sine 1500-700 fade q 0.002 0.04 0.03 pad 0.05 gain -6
        sx -m "$tmp/a.wav" "$tmp/b.wav" "$tmp/raw.wav" ;;
    remove)
        # A rising whoosh into space: noise bands that open one above the
        # other, with a faint tone climbing under them.
        i=0
        for f in 300 500 800 1300 2100 3400; do
            sx -n $fmt "$tmp/n$i.wav" synth 0.3 whitenoise bandpass $f 3q fade h 0.12 0.3 0.15 pad $(awk -v i=$i 'BEGIN { print i * 0.08 }')
            i=$((i + 1))
        done
        sx -n $fmt "$tmp/t.wav" synth 0.7 sine 200-1600 fade h 0.2 0.7 0.3 gain -12
        sx -m "$tmp"/n*.wav "$tmp/t.wav" "$tmp/raw.wav" ;;
    bonus)
        # Three bright notes up (C, E, G), bell-like, the last one ringing.
        bell() { sx -n $fmt "$tmp/$1.wav" synth $3 sine $2 sine $(awk -v f=$2 'BEGIN { print f * 2.01 }') \
                   remix 1,2 fade q 0.003 $3 $4 pad $5; }
        bell 1 1047 0.16 0.12 0
        bell 2 1319 0.16 0.12 0.14
        bell 3 1568 0.5 0.45 0.28
        sx -m "$tmp/1.wav" "$tmp/2.wav" "$tmp/3.wav" "$tmp/raw.wav" ;;
    hiccup)
        # Gurk's hiccup: a short throaty squeak that jumps up and stops dead.
        sx -n $fmt "$tmp/a.wav" synth 0.11 sawtooth 180-520 lowpass 1800 bandpass 900 1.5q fade q 0.005 0.11 0.01
        sx -n $fmt "$tmp/b.wav" synth 0.02 whitenoise highpass 2000 fade q 0.001 0.02 0.015 gain -10
        sx "$tmp/b.wav" "$tmp/a.wav" "$tmp/raw.wav" pad 0 0.05 ;;
    *)
        echo "effects.sh: unknown sound $name" >&2
        exit 1 ;;
esac

# One loudness for all: RMS 0.2 over the sound itself, peaks limited.
rms=$(sox "$tmp/raw.wav" -n silence -l 1 0.01 1% reverse silence -l 1 0.01 1% reverse stat 2>&1 |
    awk '/^RMS +amplitude/ { print $3 }')
gain=$(awk -v r="$rms" 'BEGIN { printf "%.2f", 20 * log(0.2 / r) / log(10) }')
sx "$tmp/raw.wav" $fmt "$out" gain -l "$gain"
