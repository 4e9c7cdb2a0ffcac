// Helpers for the sound and music tests: RIFF WAVE and Standard MIDI File bytes made on the spot,
// measures of captured audio, and a fixture with a window, a headless host and fresh sound and
// music tables.
#pragma once

#include "app/main_window.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "platform/win32.h"
#include "support/test_support.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace media {

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
inline void PutId(std::vector<uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

struct Chunk {
    std::string id;
    std::vector<uint8_t> data;
    int64_t statedSize = -1;  // a size to write instead of the true one
};

// A chunk as bytes: header, data, and the pad byte after odd data.
inline std::vector<uint8_t> ChunkBytes(const Chunk& c) {
    std::vector<uint8_t> out;
    PutId(out, c.id.c_str());
    Put32(out, c.statedSize >= 0 ? static_cast<uint32_t>(c.statedSize) : static_cast<uint32_t>(c.data.size()));
    out.insert(out.end(), c.data.begin(), c.data.end());
    if (c.data.size() % 2) out.push_back(0);
    return out;
}

// A RIFF file of form `form` holding `chunks`; `statedSize` overrides the RIFF size.
inline std::vector<uint8_t> Riff(const char* form, const std::vector<Chunk>& chunks, int64_t statedSize = -1) {
    std::vector<uint8_t> body;
    PutId(body, form);
    for (const Chunk& c : chunks) {
        const auto bytes = ChunkBytes(c);
        body.insert(body.end(), bytes.begin(), bytes.end());
    }
    std::vector<uint8_t> out;
    PutId(out, "RIFF");
    Put32(out, statedSize >= 0 ? static_cast<uint32_t>(statedSize) : static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// The data of a "fmt " chunk: 16 bytes, or 18 with the extra-size field.
inline std::vector<uint8_t> Fmt(uint16_t tag = 1, uint16_t channels = 1, uint32_t rate = 11025,
                                uint16_t bits = 8, bool extraSize = true) {
    std::vector<uint8_t> out;
    Put16(out, tag);
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * channels * bits / 8);
    Put16(out, channels * bits / 8);
    Put16(out, bits);
    if (extraSize) Put16(out, 0);
    return out;
}

inline std::vector<uint8_t> Wav(const std::vector<uint8_t>& samples, uint32_t rate = 11025, uint16_t tag = 1) {
    return Riff("WAVE", {{"fmt ", Fmt(tag, 1, rate)}, {"data", samples}});
}

// `count` samples of a square wave of full swing (0 and 255), period `period` samples.
inline std::vector<uint8_t> Square(size_t count, size_t period = 20) {
    std::vector<uint8_t> out(count);
    for (size_t i = 0; i < count; ++i) out[i] = (i % period) < period / 2 ? 255 : 0;
    return out;
}

// `count` samples of one level.
inline std::vector<uint8_t> Level(size_t count, uint8_t value) { return std::vector<uint8_t>(count, value); }

// --- Standard MIDI Files ---

inline void PutBe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutVlq(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = v & 0x7F;
        v >>= 7;
    } while (v);
    while (n > 1) out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

// The events of one track.
struct Track {
    std::vector<uint8_t> bytes;
    Track& Event(uint32_t delta, std::initializer_list<uint8_t> message) {
        PutVlq(bytes, delta);
        bytes.insert(bytes.end(), message);
        return *this;
    }
    Track& Tempo(uint32_t delta, uint32_t usPerQuarter) {
        PutVlq(bytes, delta);
        bytes.insert(bytes.end(), {0xFF, 0x51, 0x03});
        PutBe(bytes, usPerQuarter, 3);
        return *this;
    }
    Track& End(uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }
};

inline std::vector<uint8_t> Smf(uint16_t format, uint16_t division, const std::vector<Track>& tracks) {
    std::vector<uint8_t> out;
    PutId(out, "MThd");
    PutBe(out, 6, 4);
    PutBe(out, format, 2);
    PutBe(out, static_cast<uint32_t>(tracks.size()), 2);
    PutBe(out, division, 2);
    for (const Track& t : tracks) {
        PutId(out, "MTrk");
        PutBe(out, static_cast<uint32_t>(t.bytes.size()), 4);
        out.insert(out.end(), t.bytes.begin(), t.bytes.end());
    }
    return out;
}

// A song of `notes` loud piano notes, each `ms` milliseconds long (120 beats a minute,
// 480 ticks a beat: one tick is about 1.04 ms).
inline std::vector<uint8_t> Song(int notes, int ms = 250, uint8_t program = 0) {
    Track t;
    t.Tempo(0, 500000).Event(0, {0xC0, program});
    const uint32_t ticks = static_cast<uint32_t>(ms * 480 / 500);
    for (int i = 0; i < notes; ++i) {
        const uint8_t key = static_cast<uint8_t>(60 + (i % 12));
        t.Event(0, {0x90, key, 110}).Event(ticks, {0x80, key, 0});
    }
    t.End();
    return Smf(0, 480, {t});
}

// --- measures of captured audio (interleaved stereo 16-bit) ---

// Root-mean-square level of frames [from, to) of one channel (0 left, 1 right), 0 to 1.
inline double Rms(const std::vector<int16_t>& audio, size_t from, size_t to, int channel = -1) {
    to = std::min(to, audio.size() / 2);
    if (to <= from) return 0;
    double sum = 0;
    size_t n = 0;
    for (size_t f = from; f < to; ++f) {
        for (int c = 0; c < 2; ++c) {
            if (channel >= 0 && c != channel) continue;
            const double v = audio[2 * f + static_cast<size_t>(c)] / 32768.0;
            sum += v * v;
            ++n;
        }
    }
    return std::sqrt(sum / static_cast<double>(n));
}

// The first frame at or after `from` whose left or right sample is not silent, or SIZE_MAX.
inline size_t FirstSound(const std::vector<int16_t>& audio, size_t from = 0, int threshold = 0) {
    for (size_t f = from; f < audio.size() / 2; ++f) {
        if (std::abs(audio[2 * f]) > threshold || std::abs(audio[2 * f + 1]) > threshold) return f;
    }
    return SIZE_MAX;
}

inline WAVEFORMATEX FixedFormat() { return WAVEFORMATEX{WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0}; }

// A buffer of the fixed format filled with `samples` (nullptr if DirectSound refuses).
inline IDirectSoundBuffer* Buffer(IDirectSound* ds, const std::vector<uint8_t>& samples,
                                  DWORD flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY) {
    WAVEFORMATEX format = FixedFormat();
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), flags | DSBCAPS_STATIC, static_cast<DWORD>(samples.size()), 0, &format};
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(ds->CreateSoundBuffer(&desc, &buffer, nullptr))) return nullptr;
    void* p1 = nullptr;
    void* p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    if (FAILED(buffer->Lock(0, desc.dwBufferBytes, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER))) return nullptr;
    std::copy(samples.begin(), samples.begin() + n1, static_cast<uint8_t*>(p1));
    buffer->Unlock(p1, n1, p2, n2);
    return buffer;
}

}  // namespace media

// A headless host with a window (DirectSound's cooperative level needs one) and sound and music
// tables as at program start, in a temporary working folder.
class AudioTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SoundReset();
        MusicReset();
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "AudioTestWindow";
        RegisterClassExA(&windowClass);
        MainWindowHandle = CreateWindowExA(0, "AudioTestWindow", "audio", WS_POPUP, 0, 0, 640, 480,
                                           nullptr, nullptr, nullptr, nullptr);
        folder = std::make_unique<WorkingFolder>(temp.path());
    }
    void TearDown() override {
        SoundSetPlayObserver(nullptr);
        MusicSetPlayObserver(nullptr);
        DirectMusicSetMuted(false);
        SoundReset();
        MusicReset();
        folder.reset();
        MainWindowHandle = nullptr;
        HeadlessTest::TearDown();
    }
    // Writes `bytes` as `name` in the working folder.
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) { WriteBytes(temp.File(name), bytes); }
    // Moves the host's clock, pulling the audio of that time.
    void Advance(uint32_t ms) { host.SleepMs(ms); }
    // Frames captured so far.
    size_t Frames() const { return host.audio().size() / 2; }

    TempDir temp;
    std::unique_ptr<WorkingFolder> folder;
};
