// songtool: what the build makes from the song's one MIDI rendering of the
// score (abc2midi's output, melody on the trombone with its words as lyric
// events at the notes' ticks).
//
//   songtool variant IN.mid OUT.mid [-t SEMITONES] [-m]
//       OUT is IN transposed by SEMITONES (drums untouched); with -m the
//       melody's notes and controls are left out (removed, not muted).
//   songtool lyrics IN.mid OUT.txt
//       the karaoke words: one line per sung line, each syllable followed by
//       [beat], the beat being the song position the library's midi_pos shows
//       while the syllable's note starts.
//   songtool sing IN.mid OUT.plan
//       one line per sung syllable: start and length in seconds, MIDI pitch,
//       and the syllable, for the bartender's recording.
//   songtool pitch IN.wav
//       prints the median fundamental frequency (Hz) of the voiced part of a
//       16-bit mono WAV, so that each sung syllable can be shifted onto its note.
//
// The melody is the channel whose program is the trombone (General MIDI 58,
// 57 counted from 0).
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tools/assets/smf.h"
#include "tools/assets/songbeat.h"

namespace {

const int kMelodyProgram = 57;
const int kDrumChannel = 9;

int Fail(const std::string& message) {
    std::fprintf(stderr, "songtool: %s\n", message.c_str());
    return 1;
}

int MelodyChannel(const smf::File& file) {
    for (const smf::Track& track : file.tracks)
        for (const smf::Event& ev : track)
            if (ev.IsChannel() && ev.Kind() == 0xC0 && ev.data[0] == kMelodyProgram) return ev.Channel();
    return -1;
}

// One sung syllable: the lyric event and the note it stands on.
struct Syllable {
    std::string text;        // without the line and word markers
    bool newLine = false;    // first syllable of a sung line
    bool newWord = false;    // first syllable of a word
    uint32_t start = 0, end = 0;
    int pitch = 0;
};

// abc2midi writes a syllable as a text event right before its note-on, at the
// same tick; "/" or "\" in front starts a new line, a blank a new word.
bool Syllables(const smf::File& file, std::vector<Syllable>& out, std::string& error) {
    int channel = MelodyChannel(file);
    if (channel < 0) {
        error = "no melody (trombone) channel";
        return false;
    }
    for (const smf::Track& track : file.tracks) {
        for (size_t i = 0; i + 1 < track.size(); i++) {
            const smf::Event& ev = track[i];
            const smf::Event& note = track[i + 1];
            if (!ev.IsText() || !note.IsNoteOn() || note.Channel() != channel || note.tick != ev.tick) continue;
            Syllable s;
            s.text = ev.Text();
            if (!s.text.empty() && (s.text[0] == '/' || s.text[0] == '\\')) {
                s.newLine = true;
                s.text.erase(0, 1);
            }
            s.newWord = s.newLine || out.empty();
            if (!s.text.empty() && s.text[0] == ' ') {
                s.newWord = true;
                s.text.erase(0, 1);
            }
            s.start = note.tick;
            s.pitch = note.data[0];
            s.end = s.start;
            for (size_t j = i + 2; j < track.size(); j++)
                if (track[j].IsNoteOff() && track[j].Channel() == channel && track[j].data[0] == s.pitch) {
                    s.end = track[j].tick;
                    break;
                }
            out.push_back(s);
        }
    }
    if (out.empty()) {
        error = "the melody carries no words";
        return false;
    }
    out.front().newLine = true;
    return true;
}

int Variant(int argc, char** argv) {
    if (argc < 4) return Fail("usage: songtool variant IN.mid OUT.mid [-t SEMITONES] [-m]");
    int transpose = 0;
    bool dropMelody = false;
    for (int i = 4; i < argc; i++) {
        if (!std::strcmp(argv[i], "-t") && i + 1 < argc) transpose = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "-m")) dropMelody = true;
        else return Fail(std::string("unknown option ") + argv[i]);
    }
    smf::File file;
    std::string error;
    if (!smf::Read(argv[2], file, error)) return Fail(error);
    int melody = MelodyChannel(file);
    if (dropMelody && melody < 0) return Fail(std::string(argv[2]) + ": no melody (trombone) channel");
    for (smf::Track& track : file.tracks) {
        smf::Track kept;
        for (smf::Event ev : track) {
            if (ev.IsChannel() && dropMelody && ev.Channel() == melody) continue;
            if (ev.IsChannel() && ev.Channel() != kDrumChannel && (ev.Kind() == 0x80 || ev.Kind() == 0x90 || ev.Kind() == 0xA0)) {
                int key = ev.data[0] + transpose;
                if (key < 0 || key > 127) return Fail(std::string(argv[2]) + ": transposed note out of range");
                ev.data[0] = key;
            }
            kept.push_back(ev);
        }
        track = kept;
    }
    if (!smf::Write(argv[3], file, error)) return Fail(error);
    return 0;
}

int Lyrics(int argc, char** argv) {
    if (argc != 4) return Fail("usage: songtool lyrics IN.mid OUT.txt");
    smf::File file;
    std::vector<Syllable> syllables;
    std::string error;
    if (!smf::Read(argv[2], file, error) || !Syllables(file, syllables, error)) return Fail(error);
    std::string text;
    for (size_t i = 0; i < syllables.size(); i++) {
        const Syllable& s = syllables[i];
        if (s.newLine && i > 0) text += '\n';
        text += s.text;
        bool blank = i + 1 < syllables.size() && syllables[i + 1].newWord && !syllables[i + 1].newLine;
        if (blank) text += ' ';
        text += "[" + std::to_string(songbeat::MidiPosAt(s.start, file.division)) + "]";
    }
    text += '\n';
    std::ofstream out(argv[3], std::ios::binary);
    out << text;
    if (!out) return Fail(std::string(argv[3]) + ": cannot be written");
    return 0;
}

int Sing(int argc, char** argv) {
    if (argc != 4) return Fail("usage: songtool sing IN.mid OUT.plan");
    smf::File file;
    std::vector<Syllable> syllables;
    std::string error;
    if (!smf::Read(argv[2], file, error) || !Syllables(file, syllables, error)) return Fail(error);
    double secondsPerTick = smf::Tempo(file) / 1e6 / file.division;
    std::ofstream out(argv[3], std::ios::binary);
    for (const Syllable& s : syllables) {
        // Strip punctuation: espeak-ng would read a comma as a pause.
        std::string word;
        for (char c : s.text)
            if (std::isalpha(static_cast<unsigned char>(c)) || c == '\'') word += c;
        char line[160];
        std::snprintf(line, sizeof line, "%.4f %.4f %d %s\n", s.start * secondsPerTick,
                      (s.end - s.start) * secondsPerTick, s.pitch, word.empty() ? "ah" : word.c_str());
        out << line;
    }
    if (!out) return Fail(std::string(argv[3]) + ": cannot be written");
    return 0;
}

// Reads the samples of a 16-bit PCM WAV, first channel only.
bool ReadWav(const char* path, std::vector<float>& samples, int& rate) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) || std::memcmp(&b[8], "WAVE", 4)) return false;
    int channels = 0, bits = 0;
    for (size_t pos = 12; pos + 8 <= b.size();) {
        uint32_t len = b[pos + 4] | (b[pos + 5] << 8) | (b[pos + 6] << 16) | (uint32_t(b[pos + 7]) << 24);
        const uint8_t* p = &b[pos + 8];
        if (!std::memcmp(&b[pos], "fmt ", 4) && len >= 16) {
            channels = p[2] | (p[3] << 8);
            rate = p[4] | (p[5] << 8) | (p[6] << 16) | (p[7] << 24);
            bits = p[14] | (p[15] << 8);
        } else if (!std::memcmp(&b[pos], "data", 4)) {
            if (bits != 16 || channels < 1) return false;
            len = std::min<size_t>(len, b.size() - pos - 8);
            for (size_t i = 0; i + 2 * channels <= len; i += 2 * channels)
                samples.push_back(int16_t(p[i] | (p[i + 1] << 8)) / 32768.0f);
            return true;
        }
        pos += 8 + len + (len & 1);
    }
    return false;
}

// Normalised correlation of a frame with itself lag samples later.
double Correlation(const std::vector<float>& x, size_t start, int frame, int lag, double energy) {
    double c = 0, e2 = 0;
    for (int i = 0; i < frame; i++) {
        c += x[start + i] * x[start + i + lag];
        e2 += x[start + i + lag] * x[start + i + lag];
    }
    return c / std::sqrt(energy * e2 + 1e-12);
}

// Autocorrelation over 40 ms frames; voiced frames are the loud ones whose
// best normalised correlation is clear. The median of their periods is taken.
int Pitch(int argc, char** argv) {
    if (argc != 3) return Fail("usage: songtool pitch IN.wav");
    std::vector<float> x;
    int rate = 0;
    if (!ReadWav(argv[2], x, rate) || rate <= 0) return Fail(std::string(argv[2]) + ": not a 16-bit WAV");
    int frame = rate / 25, minLag = rate / 400, maxLag = rate / 60;
    float peak = 0;
    for (float v : x) peak = std::max(peak, std::fabs(v));
    std::vector<double> periods;
    for (size_t start = 0; start + frame + maxLag < x.size(); start += frame / 2) {
        double energy = 0;
        for (int i = 0; i < frame; i++) energy += x[start + i] * x[start + i];
        if (std::sqrt(energy / frame) < 0.1 * peak) continue;
        double best = 0;
        int bestLag = 0;
        for (int lag = minLag; lag <= maxLag; lag++) {
            double r = Correlation(x, start, frame, lag, energy);
            if (r > best) {
                best = r;
                bestLag = lag;
            }
        }
        // Prefer the shortest lag close to the best, so octave errors fall out.
        for (int k = 4; k >= 2; k--) {
            int lag = bestLag / k;
            if (lag >= minLag && Correlation(x, start, frame, lag, energy) > 0.9 * best) {
                bestLag = lag;
                break;
            }
        }
        if (best > 0.6) periods.push_back(bestLag);
    }
    if (periods.empty()) return Fail(std::string(argv[2]) + ": no voiced sound");
    std::sort(periods.begin(), periods.end());
    std::printf("%.2f\n", rate / periods[periods.size() / 2]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "variant") return Variant(argc, argv);
    if (command == "lyrics") return Lyrics(argc, argv);
    if (command == "sing") return Sing(argc, argv);
    if (command == "pitch") return Pitch(argc, argv);
    return Fail("usage: songtool variant|lyrics|sing|pitch ...");
}
