#!/bin/sh
# Records the bartender singing the song over its backing: vocals.mp3.
#
# usage: make_vocals.sh SONGTOOL SONG.mid BACKING.mid TIMIDITY.cfg SPELLING.txt OUT.mp3 WORKDIR
#
# The backing (the song without its melody) is rendered with timidity from the
# same SoundFont as the game's patch set. The voice is espeak-ng, one syllable
# at a time: songtool lists each sung syllable with its note (start, length,
# pitch); the syllable is spoken nearly monotone at the espeak-ng base pitch
# nearest its note, measured, moved onto the note with sox pitch (cents) and
# stretched onto the note's length with sox tempo, then laid at its start.
# The bartender is a bass: he sings the trombone's tune an octave lower, where
# espeak-ng's male voice lives and the shifts stay small.
# Everything runs with sox -R (repeatable), so the build gives the same file
# every time.
set -eu
songtool=$1 song=$2 backing=$3 cfg=$4 spelling=$5 out=$6 work=$7
rate=44100
voice=en-us+m3
rm -rf "$work"
mkdir -p "$work/syl"

timidity -c "$cfg" -Ow -s $rate -o "$work/backing.wav" "$backing" >/dev/null 2>&1
"$songtool" sing "$song" "$work/plan.txt"

# espeak-ng's base pitch setting P (0-99) gives about 52 * 2^(P/61) Hz with
# this voice (measured at 20, 40, 60, 80 and 99); the sung pitch is measured
# again on every syllable, so this only picks the nearest start.
n=0
cursor=0
list="$work/list.txt"
: >"$list"
while read -r start length pitch word; do
    n=$((n + 1))
    syl="$work/syl/$n"
    sung=$(awk -v w="$word" 'tolower($1) == tolower(w) && !/^#/ { print $2; found = 1; exit }
        END { if (!found) print w }' "$spelling")
    set -- $(awk -v p="$pitch" -v len="$length" -v st="$start" -v r=$rate -v cur=$cursor 'BEGIN {
        hz = 440 * 2 ^ ((p - 12 - 69) / 12)
        base = int(61 * log(hz / 52) / log(2) + 0.5); if (base < 0) base = 0; if (base > 99) base = 99
        speed = len < 0.4 ? 150 : (len < 0.8 ? 110 : 85)
        first = int(st * r + 0.5); if (first < cur) first = cur
        samples = int(len * 0.92 * r)
        printf "%.3f %d %d %d %d\n", hz, base, speed, first - cur, samples }')
    hz=$1 base=$2 speed=$3 gap=$4 samples=$5
    espeak-ng -m -v $voice -p "$base" -s "$speed" -w "$syl.raw.wav" \
        "<speak><prosody range=\"x-low\">$sung</prosody></speak>"
    # Cut espeak-ng's silence before and after the syllable.
    sox -R "$syl.raw.wav" "$syl.trim.wav" silence 1 0.005 0.5% reverse silence 1 0.005 0.5% reverse
    # A syllable too short or too breathy to measure keeps the nominal pitch.
    f0=$("$songtool" pitch "$syl.trim.wav" 2>/dev/null ||
        awk -v b="$base" 'BEGIN { printf "%.2f\n", 52 * 2 ^ (b / 61) }')
    spoken=$(soxi -D "$syl.trim.wav")
    set -- $(awk -v hz="$hz" -v f0="$f0" -v spoken="$spoken" -v s="$samples" -v r=$rate 'BEGIN {
        printf "%d %.4f\n", 1200 * log(hz / f0) / log(2), spoken / (s / r) }')
    cents=$1 tempo=$2
    sox -R -V1 "$syl.trim.wav" -r $rate -b 16 "$syl.wav" pitch "$cents" tempo -s "$tempo" \
        rate $rate pad 0 0.2 trim 0 "${samples}s" fade t 0.01 "${samples}s" 0.04
    if [ "$gap" -gt 0 ]; then
        sox -R -n -r $rate -c 1 -b 16 "$syl.gap.wav" trim 0 "${gap}s"
        echo "$syl.gap.wav" >>"$list"
    fi
    echo "$syl.wav" >>"$list"
    cursor=$((cursor + gap + samples))
done <"$work/plan.txt"

# The voice, with a little room around it, over the backing: the voice's
# loudness (RMS) set to twice the backing's, the mix peaking at -1 dBFS.
rms() { sox "$1" -n stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }'; }
sox -R $(cat "$list") "$work/voice.wav"
sox -R "$work/voice.wav" -c 2 "$work/voice2.wav" reverb 25 50 60
gain=$(awk -v v="$(rms "$work/voice2.wav")" -v b="$(rms "$work/backing.wav")" 'BEGIN { printf "%.4f", 2 * b / v }')
sox -R -m -v 1 "$work/backing.wav" -v "$gain" "$work/voice2.wav" "$work/mix.wav" gain -n -1
lame --quiet -b 128 "$work/mix.wav" "$out"
