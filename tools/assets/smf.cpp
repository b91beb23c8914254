#include "tools/assets/smf.h"

#include <fstream>
#include <iterator>

namespace smf {

namespace {

// Channel message data lengths by the high nibble of the status byte.
int DataLength(uint8_t status) {
    switch (status & 0xF0) {
        case 0xC0: case 0xD0: return 1;
        default: return 2;
    }
}

bool ReadVarLen(const uint8_t* bytes, size_t length, size_t& pos, uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; i++) {
        if (pos >= length) return false;
        uint8_t b = bytes[pos++];
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

void WriteVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value && n < 4);
    while (n-- > 0) out.push_back(groups[n] | (n ? 0x80 : 0));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back((v >> s) & 0xFF);
}

void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back((v >> 8) & 0xFF);
    out.push_back(v & 0xFF);
}

uint32_t Get32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

}  // namespace

bool ParseTrack(const uint8_t* bytes, size_t length, Track& track, std::string& error) {
    track.clear();
    size_t pos = 0;
    uint32_t tick = 0;
    uint8_t running = 0;
    while (pos < length) {
        uint32_t delta;
        if (!ReadVarLen(bytes, length, pos, delta)) {
            error = "truncated delta time";
            return false;
        }
        tick += delta;
        if (pos >= length) {
            error = "truncated event";
            return false;
        }
        Event ev;
        ev.tick = tick;
        uint8_t b = bytes[pos];
        if (b == 0xFF || b == 0xF0 || b == 0xF7) {
            pos++;
            ev.status = b;
            if (b == 0xFF) {
                if (pos >= length) {
                    error = "truncated meta event";
                    return false;
                }
                ev.meta = bytes[pos++];
            }
            uint32_t n;
            if (!ReadVarLen(bytes, length, pos, n) || n > length - pos) {
                error = "truncated meta or system event";
                return false;
            }
            ev.data.assign(bytes + pos, bytes + pos + n);
            pos += n;
            track.push_back(ev);
            if (b == 0xFF && ev.meta == 0x2F) return true;
            continue;
        }
        if (b & 0x80) {
            running = b;
            pos++;
        } else if (!running) {
            error = "data byte without a status";
            return false;
        }
        ev.status = running;
        int n = DataLength(running);
        if (pos + n > length) {
            error = "truncated channel event";
            return false;
        }
        ev.data.assign(bytes + pos, bytes + pos + n);
        pos += n;
        track.push_back(ev);
    }
    return true;
}

bool Read(const std::string& path, File& file, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 14 || std::string(bytes.begin(), bytes.begin() + 4) != "MThd") {
        error = path + ": not a MIDI file";
        return false;
    }
    uint32_t headerLength = Get32(&bytes[4]);
    file.format = (bytes[8] << 8) | bytes[9];
    int count = (bytes[10] << 8) | bytes[11];
    file.division = (bytes[12] << 8) | bytes[13];
    if (file.division & 0x8000) {
        error = path + ": time-code division is not supported";
        return false;
    }
    file.tracks.clear();
    size_t pos = 8 + headerLength;
    for (int t = 0; t < count; t++) {
        if (pos + 8 > bytes.size() || std::string(bytes.begin() + pos, bytes.begin() + pos + 4) != "MTrk") {
            error = path + ": track " + std::to_string(t) + " is missing";
            return false;
        }
        uint32_t length = Get32(&bytes[pos + 4]);
        pos += 8;
        if (length > bytes.size() - pos) {
            error = path + ": track " + std::to_string(t) + " is truncated";
            return false;
        }
        Track track;
        if (!ParseTrack(&bytes[pos], length, track, error)) {
            error = path + ": track " + std::to_string(t) + ": " + error;
            return false;
        }
        file.tracks.push_back(track);
        pos += length;
    }
    return true;
}

bool Write(const std::string& path, const File& file, std::string& error) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    Put32(out, 6);
    Put16(out, file.format);
    Put16(out, file.tracks.size());
    Put16(out, file.division);
    for (const Track& track : file.tracks) {
        std::vector<uint8_t> body;
        uint32_t tick = 0;
        for (const Event& ev : track) {
            WriteVarLen(body, ev.tick - tick);
            tick = ev.tick;
            body.push_back(ev.status);
            if (ev.status == 0xFF) body.push_back(ev.meta);
            if (!ev.IsChannel()) WriteVarLen(body, ev.data.size());
            body.insert(body.end(), ev.data.begin(), ev.data.end());
        }
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        Put32(out, body.size());
        out.insert(out.end(), body.begin(), body.end());
    }
    std::ofstream os(path, std::ios::binary);
    os.write(reinterpret_cast<const char*>(out.data()), out.size());
    if (!os) {
        error = path + ": cannot be written";
        return false;
    }
    return true;
}

uint32_t Tempo(const File& file) {
    for (const Track& track : file.tracks)
        for (const Event& ev : track)
            if (ev.status == 0xFF && ev.meta == 0x51 && ev.data.size() == 3)
                return (uint32_t(ev.data[0]) << 16) | (ev.data[1] << 8) | ev.data[2];
    return 500000;
}

}  // namespace smf
