// The song and sounds as the build packed them: the karaoke words stamped on
// the melody's notes, the four arrangements made from the one score, and
// sound effects that can be heard side by side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "app/globals.h"
#include "testing.h"
#include "tools/assets/smf.h"

namespace {

const int kTrombone = 57;  // General MIDI program 58, counted from 0
const int kDrums = 9;

// The events of every track of a loaded song, as one list in tick order.
std::vector<smf::Event> Events(const MIDI* midi)
{
    std::vector<smf::Event> all;
    for (int t = 0; t < MIDI_TRACKS; t++) {
        if (!midi->track[t].data)
            continue;
        smf::Track track;
        std::string error;
        EXPECT_TRUE(smf::ParseTrack(midi->track[t].data, midi->track[t].len, track, error))
            << "track " << t << ": " << error;
        all.insert(all.end(), track.begin(), track.end());
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const smf::Event& a, const smf::Event& b) { return a.tick < b.tick; });
    return all;
}

int MelodyChannel(const std::vector<smf::Event>& events)
{
    for (const smf::Event& ev : events)
        if (ev.IsChannel() && ev.Kind() == 0xC0 && ev.data[0] == kTrombone)
            return ev.Channel();
    return -1;
}

// Note-ons as (channel, key) in order.
std::vector<std::pair<int, int>> Notes(const std::vector<smf::Event>& events)
{
    std::vector<std::pair<int, int>> notes;
    for (const smf::Event& ev : events)
        if (ev.IsNoteOn())
            notes.push_back({ev.Channel(), ev.data[0]});
    return notes;
}

struct Piece {
    std::string text;
    int stamp;
    int line;  // 1-based line of the file
};

// Reads the lyrics file as the karaoke does: each line a run of text[beat].
// A line that is not exactly that fails the test.
std::vector<Piece> ReadLyrics(const std::string& path, int& lineCount)
{
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::vector<Piece> pieces;
    const std::regex group(R"(([^\[\]\n]*)\[(-?[0-9]+)\])");
    std::string line;
    lineCount = 0;
    while (std::getline(in, line)) {
        lineCount++;
        EXPECT_LE(line.size(), 254u) << "line " << lineCount;
        size_t consumed = 0;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), group);
             it != std::sregex_iterator() && it->position() == static_cast<long>(consumed); ++it) {
            pieces.push_back({(*it)[1], std::stoi((*it)[2]), lineCount});
            consumed += it->length();
        }
        EXPECT_EQ(consumed, line.size()) << "line " << lineCount << " does not end on its last stamp: " << line;
    }
    return pieces;
}

TEST(Song, EveryStampedWordSitsOnAMelodyNoteAndTheStampsRise)
{
    LoadTestData();
    const MIDI* song = DATA_MIDI(DAT_SONG_PITCH1_MELODY);
    std::vector<smf::Event> events = Events(song);
    int melody = MelodyChannel(events);
    ASSERT_GE(melody, 0) << "no trombone in the song";

    // Each melody note's start as the library's midi_pos shows it: beats of
    // the division counted from 1 as the song starts.
    std::vector<double> onsets;
    for (const smf::Event& ev : events)
        if (ev.IsNoteOn() && ev.Channel() == melody)
            onsets.push_back(1.0 + double(ev.tick) / song->divisions);

    int lines = 0;
    std::vector<Piece> pieces = ReadLyrics(std::string(GAME_DIR) + "/lyrics.txt", lines);
    ASSERT_GE(pieces.size(), 100u) << "the whole song has words";
    EXPECT_GE(lines, 16);

    // Walk the notes and the words together: every word lands on a note of
    // its own, later than the last word's, within one beat of its stamp.
    size_t note = 0;
    int previous = 0;
    for (const Piece& p : pieces) {
        SCOPED_TRACE("line " + std::to_string(p.line) + ": \"" + p.text + "\" [" + std::to_string(p.stamp) + "]");
        EXPECT_GT(p.stamp, previous) << "stamps rise";
        previous = p.stamp;
        EXPECT_FALSE(p.text.empty() || p.text[0] == ' ') << "a blank belongs at the end of a piece";
        while (note < onsets.size() && onsets[note] < p.stamp - 1.0)
            note++;
        ASSERT_LT(note, onsets.size()) << "no melody note left for the word";
        EXPECT_LE(std::fabs(onsets[note] - p.stamp), 1.0) << "note at beat " << onsets[note];
        // midi_pos reaches the stamp as its beat begins: a later stamp would
        // light the word only after its note has started.
        EXPECT_LE(p.stamp, onsets[note]) << "lit late, note at beat " << onsets[note];
        note++;
    }
    // The words run to the end of the tune, not stopping early.
    EXPECT_GE(previous, onsets.back() - 8.0);
}

TEST(Song, ArrangementsAreTheOneScoreWithoutMelodyOrAtPitchTwo)
{
    LoadTestData();
    std::vector<smf::Event> p1 = Events(DATA_MIDI(DAT_SONG_PITCH1_MELODY));
    int melody = MelodyChannel(p1);
    ASSERT_GE(melody, 0);
    std::vector<std::pair<int, int>> full = Notes(p1);
    std::vector<std::pair<int, int>> backing;
    for (auto n : full)
        if (n.first != melody)
            backing.push_back(n);
    ASSERT_LT(backing.size(), full.size());
    EXPECT_GE(60.0 * (p1.back().tick / double(DATA_MIDI(DAT_SONG_PITCH1_MELODY)->divisions)) / 120.0, 60.0)
        << "at least a minute at 120 beats a minute";

    // The other three: the same notes, less the melody's, moved by one
    // interval (drums stay).
    struct Case {
        const char* what;
        int index;
        bool withMelody;
    } cases[] = {
        {"pitch 1 without melody", DAT_SONG_PITCH1_BACKING, false},
        {"pitch 2 with melody", DAT_SONG_PITCH2_MELODY, true},
        {"pitch 2 without melody", DAT_SONG_PITCH2_BACKING, false},
    };
    int pitch2 = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<smf::Event> events = Events(DATA_MIDI(c.index));
        std::vector<std::pair<int, int>> notes = Notes(events);
        const std::vector<std::pair<int, int>>& expected = c.withMelody ? full : backing;
        ASSERT_EQ(notes.size(), expected.size()) << "melody notes removed, nothing else";
        std::map<int, int> shifts;
        for (size_t i = 0; i < notes.size(); i++) {
            ASSERT_EQ(notes[i].first, expected[i].first);
            if (notes[i].first == kDrums)
                EXPECT_EQ(notes[i].second, expected[i].second) << "drums are not transposed";
            else
                shifts[notes[i].second - expected[i].second]++;
        }
        ASSERT_EQ(shifts.size(), 1u) << "one interval for every note";
        int shift = shifts.begin()->first;
        if (c.index == DAT_SONG_PITCH1_BACKING) {
            EXPECT_EQ(shift, 0);
        } else {
            EXPECT_GE(std::abs(shift), 2);
            EXPECT_LE(std::abs(shift), 7) << "a few semitones";
            if (pitch2)
                EXPECT_EQ(shift, pitch2) << "both pitch 2 songs at the same pitch";
            pitch2 = shift;
        }
        if (!c.withMelody) {
            for (const smf::Event& ev : events)
                EXPECT_FALSE(ev.IsChannel() && ev.Channel() == melody && ev.Kind() != 0xB0 && ev.Kind() != 0xC0)
                    << "melody events left at tick " << ev.tick;
        }
    }
}

// RMS of a sample, 0 to 1, over its sounding part (its silent tail left out).
double Loudness(const SAMPLE* s)
{
    std::vector<double> v;
    for (unsigned long i = 0; i < s->len * (s->stereo ? 2 : 1); i++)
        v.push_back(s->bits == 16 ? (static_cast<const uint16_t*>(s->data)[i] - 32768) / 32768.0
                                  : (static_cast<const uint8_t*>(s->data)[i] - 128) / 128.0);
    while (!v.empty() && std::fabs(v.back()) < 0.01)
        v.pop_back();
    double sum = 0;
    for (double x : v)
        sum += x * x;
    return v.empty() ? 0 : std::sqrt(sum / v.size());
}

TEST(Sounds, EffectsAreShortAudibleAndAlike)
{
    LoadTestData();
    const struct {
        const char* what;
        int index;
    } effects[] = {
        {"misfire", DAT_SAMPLE_MISFIRE}, {"bonus", DAT_SAMPLE_BONUS},   {"shot", DAT_SAMPLE_SHOT},
        {"burst", DAT_SAMPLE_BURST},     {"hiccup", DAT_SAMPLE_HICCUP}, {"remove", DAT_SAMPLE_REMOVE},
    };
    std::vector<double> levels;
    for (const auto& e : effects) {
        SCOPED_TRACE(e.what);
        const SAMPLE* s = DATA_SAMPLE(e.index);
        double seconds = double(s->len) / s->freq;
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 1.5) << "an effect is short";
        levels.push_back(Loudness(s));
        EXPECT_GT(levels.back(), 0.05) << "it can be heard";
    }
    auto range = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LT(*range.second / *range.first, 2.0) << "comparable loudness (within 6 dB)";
}

}  // namespace
