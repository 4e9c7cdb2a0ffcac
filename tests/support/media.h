// WAV and MIDI file bytes made on the spot (the RIFF and WAV layouts are the formats library's),
// measures of captured audio, and a fixture for the sound stand-ins: a headless host, a window
// for DirectSound's cooperative level and a temporary working folder.
#pragma once

#include "platform/win/dmusic.h"
#include "platform/win/dsound.h"
#include "support/test_support.h"
#include "tools/formats/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
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

// Root-mean-square level (0 to 1) of frames [from, to) of interleaved stereo audio.
inline double Rms(const std::vector<int16_t>& audio, size_t from, size_t to) {
    to = std::min(to, audio.size() / 2);
    double sum = 0;
    for (size_t i = 2 * from; i < 2 * to; ++i) sum += (audio[i] / 32768.0) * (audio[i] / 32768.0);
    return to > from ? std::sqrt(sum / static_cast<double>(2 * (to - from))) : 0;
}

// The first frame from `from` on with a sample that is not silent, or SIZE_MAX.
inline size_t FirstSound(const std::vector<int16_t>& audio, size_t from = 0) {
    for (size_t f = from; f < audio.size() / 2; ++f) {
        if (audio[2 * f] != 0 || audio[2 * f + 1] != 0) return f;
    }
    return SIZE_MAX;
}

inline WAVEFORMATEX FixedFormat() { return WAVEFORMATEX{WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0}; }

// A static buffer of the fixed format holding `samples`, or nullptr when DirectSound refuses.
inline IDirectSoundBuffer* Buffer(IDirectSound* ds, const Bytes& samples,
                                  DWORD flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY) {
    WAVEFORMATEX format = FixedFormat();
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), flags | DSBCAPS_STATIC, static_cast<DWORD>(samples.size()), 0, &format};
    IDirectSoundBuffer* buffer = nullptr;
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    if (FAILED(ds->CreateSoundBuffer(&desc, &buffer, nullptr)) ||
        FAILED(buffer->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER))) {
        return nullptr;
    }
    std::copy(samples.begin(), samples.end(), static_cast<uint8_t*>(p1));
    buffer->Unlock(p1, n1, p2, n2);
    return buffer;
}

}  // namespace media

class AudioStandInTest : public HeadlessTest {
protected:
    using HeadlessTest::HeadlessTest;
    void SetUp() override {
        HeadlessTest::SetUp();
        window = OpenTestWindow("AudioTestWindow");
        folder = std::make_unique<WorkingFolder>(temp.path());
    }
    void TearDown() override {
        DirectMusicSetMuted(false);
        folder.reset();
        HeadlessTest::TearDown();
    }
    void Write(const std::string& name, const media::Bytes& bytes) { WriteBytes(temp.File(name), bytes); }
    void Advance(uint32_t ms) { host.SleepMs(ms); }  // moves the clock, pulling that time's audio
    size_t Frames() const { return host.audio().size() / 2; }

    TempDir temp;
    std::unique_ptr<WorkingFolder> folder;
    HWND window = nullptr;
};

// The fixture above with a DirectSound object at the normal cooperative level; the buffers the
// test keeps are released before it.
class DirectSoundStandInTest : public AudioStandInTest {
protected:
    void SetUp() override {
        AudioStandInTest::SetUp();
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        ASSERT_EQ(ds->SetCooperativeLevel(window, DSSCL_NORMAL), DS_OK);
    }
    void TearDown() override {
        for (IUnknown* object : made) {
            if (object) object->Release();
        }
        if (ds) ds->Release();
        AudioStandInTest::TearDown();
    }
    IDirectSoundBuffer* Keep(IDirectSoundBuffer* buffer) {
        made.push_back(buffer);
        return buffer;
    }
    IDirectSound* ds = nullptr;
    std::vector<IUnknown*> made;
};
