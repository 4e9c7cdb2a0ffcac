#include "formats/smf_writer.h"

#include <algorithm>
#include <cmath>

#include "tools/formats/byte_writer.h"

namespace datagen {

using namespace formats;
namespace {

struct TimedEvent {
    std::uint32_t tick;
    int order;  // at equal ticks: set-up first, then note-offs, then note-ons
    Bytes data;
};

void PutVarLen(Bytes& out, std::uint32_t v) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = v & 0x7F;
        v >>= 7;
    } while (v);
    while (n-- > 0) PutU8(out, groups[n] | (n ? 0x80 : 0));
}

Bytes Meta(std::uint8_t type, const Bytes& payload) {
    Bytes b{0xFF, type};
    PutVarLen(b, static_cast<std::uint32_t>(payload.size()));
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes EncodeTrack(std::vector<TimedEvent> events) {
    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    Bytes body;
    std::uint32_t now = 0;
    for (const TimedEvent& e : events) {
        PutVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.data.begin(), e.data.end());
    }
    PutVarLen(body, 0);
    const Bytes end = Meta(0x2F, {});
    body.insert(body.end(), end.begin(), end.end());
    Bytes chunk;
    PutTag(chunk, "MTrk");
    PutU32Be(chunk, static_cast<std::uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

Bytes ConductorTrack(const Song& song) {
    std::vector<TimedEvent> events;
    events.push_back({0, 0, Meta(0x03, Text(song.title))});
    const std::uint8_t denominatorPower = 2;  // quarter-note beats
    events.push_back({0, 0, Meta(0x58, {static_cast<std::uint8_t>(song.beatsPerBar), denominatorPower, 24, 8})});
    events.push_back({0, 0,
                      Meta(0x59, {static_cast<std::uint8_t>(static_cast<std::int8_t>(song.keySharps)),
                                  static_cast<std::uint8_t>(song.minorKey ? 1 : 0)})});
    for (const TempoPoint& t : song.tempi) {
        const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / t.bpm));
        events.push_back({t.tick, 1,
                          Meta(0x51, {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                                      static_cast<std::uint8_t>(micros)})});
    }
    return EncodeTrack(std::move(events));
}

Bytes PartTrack(const Part& part) {
    const std::uint8_t ch = part.channel & 0x0F;
    std::vector<TimedEvent> events;
    events.push_back({0, 0, Meta(0x03, Text(part.name))});
    if (ch != kDrumChannel) events.push_back({0, 0, {static_cast<std::uint8_t>(0xC0 | ch), part.program}});
    events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 7, part.volume}});
    if (part.expression < 127) events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 11, part.expression}});
    events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 10, part.pan}});
    events.push_back({0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 91, part.reverb}});
    for (const Note& n : part.notes) {
        events.push_back({n.start, 2, {static_cast<std::uint8_t>(0x90 | ch), n.key, n.velocity}});
        events.push_back({n.start + n.length, 1, {static_cast<std::uint8_t>(0x80 | ch), n.key, 64}});
    }
    return EncodeTrack(std::move(events));
}

}  // namespace

Bytes EncodeSmf(const Song& song) {
    Bytes out;
    PutTag(out, "MThd");
    PutU32Be(out, 6);
    PutU16Be(out, 1);
    PutU16Be(out, static_cast<std::uint32_t>(1 + song.parts.size()));
    PutU16Be(out, kTicksPerBeat);
    const Bytes conductor = ConductorTrack(song);
    out.insert(out.end(), conductor.begin(), conductor.end());
    for (const Part& part : song.parts) {
        const Bytes track = PartTrack(part);
        out.insert(out.end(), track.begin(), track.end());
    }
    return out;
}

}  // namespace datagen
