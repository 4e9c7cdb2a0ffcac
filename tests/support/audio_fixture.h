// The audio fixture for the sound stand-ins' tests: a headless host, a window for DirectSound's
// cooperative level and a temporary working folder; with the measures of the captured audio and
// DirectSound buffers made from the byte builders of media.h.
#pragma once

#include "platform/standins/dmusic.h"
#include "platform/standins/dsound.h"
#include "support/media.h"
#include "support/test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace media {

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
