// WAV and MIDI file bytes made on the spot, for the tests of the readers and the sound
// stand-ins; the RIFF and WAV layouts are the formats library's. The audio fixture is in
// audio_fixture.h.
#pragma once

#include "tools/formats/wav_writer.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace media {

using Bytes = formats::Bytes;
// A RIFF chunk; its `statedSize`, when not -1, is written instead of the true one.
using Chunk = formats::RiffChunk;

// A RIFF chunk: header, data, and a pad byte after odd data.
inline Bytes ChunkBytes(const Chunk& c) { return formats::RiffChunkBytes(c); }

// A RIFF file of form `form` holding `chunks`; `statedSize` overrides the RIFF chunk's size.
inline Bytes Riff(const std::string& form, const std::vector<Chunk>& chunks, int64_t statedSize = -1) {
    return formats::RiffFile(form, chunks, statedSize);
}

// The data of a "fmt " chunk: 18 bytes, or 16 without the extra-size field.
inline Bytes Fmt(uint16_t tag = 1, uint16_t channels = 1, uint32_t rate = 11025, uint16_t bits = 8,
                 bool extraSize = true) {
    return formats::WavFormatChunk({tag, channels, rate, bits, extraSize});
}

// An 8-bit mono WAV file of `samples`.
inline Bytes Wav(const Bytes& samples, uint32_t rate = 11025, uint16_t tag = 1) {
    return formats::WavFile({tag, 1, rate, 8, true}, samples);
}

// A full-swing square wave (0 and 255) of `period` samples, and a steady level.
inline Bytes Square(size_t count, size_t period = 20) {
    Bytes out(count);
    for (size_t i = 0; i < count; ++i) out[i] = (i % period) < period / 2 ? 255 : 0;
    return out;
}
inline Bytes Level(size_t count, uint8_t value) { return Bytes(count, value); }

// The events of one MIDI track.
struct Track {
    Bytes bytes;
    Track& Event(uint32_t delta, std::initializer_list<uint8_t> message) {
        uint8_t groups[5];
        int n = 0;
        do groups[n++] = delta & 0x7F;
        while (delta >>= 7);
        while (n > 1) bytes.push_back(groups[--n] | 0x80);
        bytes.push_back(groups[0]);
        bytes.insert(bytes.end(), message);
        return *this;
    }
    Track& Tempo(uint32_t delta, uint32_t us) {
        return Event(delta, {0xFF, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
    }
    Track& End(uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }
};

inline Bytes Smf(uint16_t format, uint16_t division, const std::vector<Track>& tracks) {
    Bytes out;
    formats::PutTag(out, "MThd");
    formats::PutU32Be(out, 6);
    formats::PutU16Be(out, format);
    formats::PutU16Be(out, static_cast<uint32_t>(tracks.size()));
    formats::PutU16Be(out, division);
    for (const Track& t : tracks) {
        formats::PutTag(out, "MTrk");
        formats::PutU32Be(out, static_cast<uint32_t>(t.bytes.size()));
        out.insert(out.end(), t.bytes.begin(), t.bytes.end());
    }
    return out;
}

// A song of `notes` loud notes of `ms` milliseconds each, one at a time, on `program`.
inline Bytes Song(int notes, int ms = 250, uint8_t program = 0) {
    Track t;
    t.Tempo(0, 500000).Event(0, {0xC0, program});
    for (int i = 0; i < notes; ++i) {
        const uint8_t key = static_cast<uint8_t>(60 + i % 12);
        t.Event(0, {0x90, key, 110}).Event(static_cast<uint32_t>(ms * 480 / 500), {0x80, key, 0});
    }
    return Smf(0, 480, {t.End()});
}

}  // namespace media
