// The song position the library's MIDI player shows (midi_pos) while a given
// tick of a song plays: the unit of the karaoke stamps.
#pragma once

#include <cstdint>

namespace songbeat {

// Measured with Allegro 4.4.3's DIGMID player: a message callback recorded
// midi_pos as each note of a test song started (notes every half beat,
// division 480, 120 beats a minute). The player counts the first beat as 1
// as soon as the song starts and steps at each quarter-note boundary, so a
// note at tick t plays while midi_pos = floor(t / division) + 1.
inline int MidiPosAt(uint32_t tick, int division) {
    return static_cast<int>(tick / division) + 1;
}

}  // namespace songbeat
