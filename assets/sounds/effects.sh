#!/bin/sh
# The game's sound effects, each synthesised with sox from nothing.
# usage: effects.sh NAME OUT.wav   (NAME: shot misfire burst remove bonus hiccup)
# All are 16-bit mono at 22050 Hz, the sample format the data file takes.
set -eu
name=$1 out=$2
fmt="-r 22050 -c 1 -b 16"
case "$name" in
    shot)    sox -n $fmt "$out" synth 0.25 sine 220-80 fade 0 0.25 0.2 ;;
    misfire) sox -n $fmt "$out" synth 0.4 sine 300-900 fade 0 0.4 0.2 ;;
    burst)   sox -n $fmt "$out" synth 0.4 pinknoise fade 0 0.4 0.35 ;;
    remove)  sox -n $fmt "$out" synth 0.5 whitenoise bandpass 1000 300 fade 0.1 0.5 0.2 ;;
    bonus)   sox -n $fmt "$out" synth 0.12 sine 660 : synth 0.12 sine 880 : synth 0.25 sine 1320 ;;
    hiccup)  sox -n $fmt "$out" synth 0.15 sine 400-700 fade 0 0.15 0.1 ;;
    *) echo "effects.sh: unknown sound $name" >&2; exit 1 ;;
esac
