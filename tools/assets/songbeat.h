// The song position the library's MIDI player shows (midi_pos) while a given
// tick of a song plays: the unit of the karaoke stamps.
#pragma once

#include <cstdint>

namespace songbeat {

// Measured with Allegro 4.4.3's DIGMID player under Xvfb (sound into an ALSA
// file device): a MIDI message callback recorded midi_pos as each note of a
// probe song started, notes at 0, 1, 2, 4, 8 and 240 ticks after every 20th
// beat and 1 and 2 ticks before it, division 480, 120 beats a minute, 180
// beats long. midi_pos is 0 at play_midi, counts the first beat as 1 once
// the first events are handled, and is brought up to date each time the
// player handles events: a note at tick t then sounds while midi_pos reads
// floor(t / division) + 1 (all mid-beat notes, at every length). Within about
// 10 ms after a beat starts the player may still show the beat before, so a
// word stamped with this value lights at most a few milliseconds after its
// note starts, never a beat early.
inline int MidiPosAt(uint32_t tick, int division) {
    return static_cast<int>(tick / division) + 1;
}

}  // namespace songbeat
