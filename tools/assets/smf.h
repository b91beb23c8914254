// Standard MIDI files for the build's song tools and the tests: reading a
// file (or one raw track, as the game's data file stores it) into events with
// absolute ticks, and writing events back into a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace smf {

// One event of a track. Channel events keep their status byte (with the
// channel) and their one or two data bytes; meta events have status 0xFF, their
// type in meta and their payload in data; system exclusive events status 0xF0
// or 0xF7 with the payload in data.
struct Event {
    uint32_t tick = 0;            // absolute, from the start of the track
    uint8_t status = 0;
    uint8_t meta = 0;
    std::vector<uint8_t> data;

    bool IsChannel() const { return status >= 0x80 && status < 0xF0; }
    int Channel() const { return status & 0x0F; }
    int Kind() const { return status & 0xF0; }
    bool IsNoteOn() const { return Kind() == 0x90 && data.size() == 2 && data[1] > 0; }
    bool IsNoteOff() const {
        return (Kind() == 0x80 || (Kind() == 0x90 && data.size() == 2 && data[1] == 0));
    }
    bool IsText() const { return status == 0xFF && (meta == 0x01 || meta == 0x05); }
    std::string Text() const { return std::string(data.begin(), data.end()); }
};

using Track = std::vector<Event>;

struct File {
    int format = 1;
    int division = 480;           // ticks per quarter note
    std::vector<Track> tracks;
};

// Parses the events of one track's data (the bytes after an MTrk header).
// Returns false, with a message in error, on malformed data.
bool ParseTrack(const uint8_t* bytes, size_t length, Track& track, std::string& error);

// Reads a whole file. Returns false, with a message in error, when the file
// cannot be read or is not a standard MIDI file with a tick division.
bool Read(const std::string& path, File& file, std::string& error);

// Writes a file; each track must hold its events in tick order and end with
// an end-of-track event. Returns false when the file cannot be written.
bool Write(const std::string& path, const File& file, std::string& error);

// Microseconds per quarter note of the first tempo event, 500000 (120 beats a
// minute) when there is none. The game's songs keep one tempo throughout.
uint32_t Tempo(const File& file);

}  // namespace smf
