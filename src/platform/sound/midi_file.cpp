#include "platform/sound/midi_file.h"

#include <algorithm>

namespace {

constexpr size_t kMaxSongEvents = 1u << 20;
constexpr int64_t kMaxTimeUs = int64_t{1} << 40;  // about 12 days; keeps frame sums in range
constexpr uint8_t kTempo = 0x51;
constexpr uint8_t kEndOfTrack = 0x2F;

// Big-endian reads that fail instead of running past the end.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t left() const { return size_ - pos_; }
    const uint8_t* here() const { return data_ + pos_; }
    bool Byte(uint8_t& out) {
        if (pos_ >= size_) return false;
        out = data_[pos_++];
        return true;
    }
    bool Be(int bytes, uint32_t& out) {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    bool Vlq(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = (out << 7) | (b & 0x7Fu);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Skip(size_t n) {
        if (n > left()) return false;
        pos_ += n;
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// An event as read, before times are known: at a tick, or a tempo change (`tempo` non-zero).
struct TickEvent {
    uint64_t tick;
    uint32_t tempo;
    MidiEvent event;
};

int DataBytes(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// Reads one track chunk from tick `start`; returns false for anything malformed. `end` gets the
// tick of its end.
bool ReadTrack(ByteReader track, uint64_t start, MidiSong& song, std::vector<TickEvent>& out, uint64_t& end) {
    uint64_t tick = start;
    uint8_t running = 0;
    while (track.left() > 0) {
        uint32_t delta;
        uint8_t status;
        if (!track.Vlq(delta) || !track.Byte(status)) return false;
        tick += delta;
        if (out.size() >= kMaxSongEvents) return false;
        uint8_t data[2] = {0, 0};
        int have = 0;
        if (status < 0x80) {
            if (running == 0) return false;  // running status with no status before it
            data[have++] = status;
            status = running;
        }
        if (status < 0xF0) {
            running = status;
            for (; have < DataBytes(status); ++have) {
                if (!track.Byte(data[have])) return false;
            }
            if (data[0] >= 0x80 || data[1] >= 0x80) return false;
            out.push_back({tick, 0, MidiEvent{0, 0, 0, status, data[0], data[1]}});
            continue;
        }
        running = 0;  // system exclusive and meta events end running status
        if (status == 0xF0 || status == 0xF7) {
            uint32_t length;
            if (!track.Vlq(length)) return false;
            const uint8_t* bytes = track.here();
            if (!track.Skip(length)) return false;
            // Only complete messages are sent; escaped packets are skipped, and so are tuning
            // messages (universal sub-ID 8), which would make the synthesizer allocate while
            // it renders.
            const bool tuning = length >= 4 && (bytes[0] == 0x7E || bytes[0] == 0x7F) && bytes[2] == 0x08;
            if (status == 0xF0 && length >= 1 && bytes[length - 1] == 0xF7 && !tuning) {
                const auto offset = static_cast<uint32_t>(song.sysex.size());
                song.sysex.insert(song.sysex.end(), bytes, bytes + length - 1);
                out.push_back({tick, 0, MidiEvent{0, offset, length - 1, 0xF0, 0, 0}});
            }
        } else if (status == 0xFF) {
            uint8_t type;
            uint32_t length;
            if (!track.Byte(type) || !track.Vlq(length)) return false;
            const uint8_t* bytes = track.here();
            if (!track.Skip(length)) return false;
            if (type == kTempo) {
                if (length < 3) return false;
                const uint32_t tempo = (uint32_t{bytes[0]} << 16) | (uint32_t{bytes[1]} << 8) | bytes[2];
                if (tempo == 0) return false;
                out.push_back({tick, tempo, MidiEvent{}});
            } else if (type == kEndOfTrack) {
                break;
            }
        } else {
            return false;  // real-time and system common messages do not belong in a file
        }
    }
    end = tick;
    return true;
}

// Turns ticks into microseconds with the tempo map of all tracks, in time order.
void TimeEvents(std::vector<TickEvent>& events, uint64_t endTick, double smpteUsPerTick, uint32_t ticksPerQuarter,
                MidiSong& song) {
    std::stable_sort(events.begin(), events.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
    uint32_t tempo = 500000;  // microseconds per quarter note until a tempo event says otherwise
    auto usPerTick = [&] { return smpteUsPerTick > 0 ? smpteUsPerTick : double(tempo) / ticksPerQuarter; };
    double us = 0;
    uint64_t last = 0;
    song.events.reserve(events.size());
    for (const TickEvent& e : events) {
        us += static_cast<double>(e.tick - last) * usPerTick();
        last = e.tick;
        if (e.tempo != 0) {
            tempo = e.tempo;
            continue;
        }
        MidiEvent event = e.event;
        event.timeUs = static_cast<int64_t>(std::min(us, static_cast<double>(kMaxTimeUs)));
        song.events.push_back(event);
    }
    us += static_cast<double>(endTick - last) * usPerTick();
    song.lengthUs = static_cast<int64_t>(std::min(us, static_cast<double>(kMaxTimeUs)));
}

}  // namespace

std::shared_ptr<MidiSong> MidiFileRead(const std::vector<uint8_t>& bytes) {
    ByteReader file(bytes.data(), bytes.size());
    uint32_t id, headerLength, format, trackCount, division;
    if (!file.Be(4, id) || id != 0x4D546864u /* MThd */ || !file.Be(4, headerLength) || headerLength < 6 ||
        !file.Be(2, format) || !file.Be(2, trackCount) || !file.Be(2, division) || !file.Skip(headerLength - 6)) {
        return nullptr;
    }
    if (format > 2 || trackCount == 0 || (format == 0 && trackCount != 1) || division == 0) {
        return nullptr;
    }
    double smpteUsPerTick = 0;
    if (division & 0x8000) {
        const int framesPerSecond = -static_cast<int8_t>(division >> 8);
        const uint32_t ticksPerFrame = division & 0xFF;
        if ((framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 && framesPerSecond != 30) ||
            ticksPerFrame == 0) {
            return nullptr;
        }
        const double fps = framesPerSecond == 29 ? 29.97 : framesPerSecond;
        smpteUsPerTick = 1e6 / (fps * ticksPerFrame);
    }
    auto song = std::make_shared<MidiSong>();
    std::vector<TickEvent> events;
    uint64_t start = 0, endTick = 0;
    for (uint32_t tracksRead = 0; tracksRead < trackCount;) {
        uint32_t chunkId, length;
        if (!file.Be(4, chunkId) || !file.Be(4, length) || length > file.left()) {
            return nullptr;  // a missing or truncated track
        }
        ByteReader chunk(file.here(), length);
        file.Skip(length);
        if (chunkId != 0x4D54726Bu /* MTrk */) {
            continue;  // chunks of unknown types are skipped
        }
        uint64_t trackEnd = 0;
        if (!ReadTrack(chunk, start, *song, events, trackEnd)) {
            return nullptr;
        }
        endTick = std::max(endTick, trackEnd);
        if (format == 2) start = trackEnd;  // the patterns of format 2 play one after another
        ++tracksRead;
    }
    TimeEvents(events, endTick, smpteUsPerTick, division, *song);
    return song;
}
