#include "platform/dsound.h"

#include "audio/audio_media.h"
#include "platform/mixer.h"

#include <cstring>

namespace {

class DirectSoundTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        ASSERT_EQ(ds->SetCooperativeLevel(MainWindowHandle, DSSCL_NORMAL), DS_OK);
    }
    void TearDown() override {
        for (IUnknown* object : made) object->Release();
        if (ds) ds->Release();
        EXPECT_EQ(MixerUsers(), 0);
        AudioTest::TearDown();
    }
    IDirectSoundBuffer* Make(const std::vector<uint8_t>& samples, DWORD flags = DSBCAPS_CTRLVOLUME |
                                                                               DSBCAPS_CTRLPAN |
                                                                               DSBCAPS_CTRLFREQUENCY) {
        IDirectSoundBuffer* buffer = media::Buffer(ds, samples, flags);
        EXPECT_NE(buffer, nullptr);
        made.push_back(buffer);
        return buffer;
    }
    IDirectSound* ds = nullptr;
    std::vector<IUnknown*> made;
};

TEST_F(AudioTest, DirectSoundNeedsAnAudioDeviceAndTheDefaultDevice) {
    IDirectSound* ds = nullptr;
    host.SetAudioAvailable(false);
    EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(ds, nullptr);
    host.SetAudioAvailable(true);
    GUID other{1, 2, 3, {4}};
    EXPECT_EQ(DirectSoundCreate(&other, &ds, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(DirectSoundCreate(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    EXPECT_EQ(MixerRate(), MIXER_WANTED_RATE);
    EXPECT_EQ(MixerUsers(), 1);
    ds->Release();
    EXPECT_EQ(MixerUsers(), 0);  // the last user closes the stream
    EXPECT_EQ(MixerRate(), 0);
}

TEST_F(AudioTest, BuffersNeedACooperativeLevelForARealWindow) {
    IDirectSound* ds = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    std::vector<uint8_t> samples(100, 128);
    EXPECT_EQ(media::Buffer(ds, samples), nullptr);  // DSERR_PRIOLEVELNEEDED
    EXPECT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds->SetCooperativeLevel(MainWindowHandle, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds->SetCooperativeLevel(MainWindowHandle, 5), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds->SetCooperativeLevel(MainWindowHandle, DSSCL_NORMAL), DS_OK);
    IDirectSoundBuffer* buffer = media::Buffer(ds, samples);
    ASSERT_NE(buffer, nullptr);
    // The buffer keeps the DirectSound object, and so the stream, alive.
    ds->Release();
    EXPECT_EQ(MixerUsers(), 1);
    buffer->Release();
    EXPECT_EQ(MixerUsers(), 0);
}

TEST_F(DirectSoundTest, CreateSoundBufferTakesOnlyTheFixedFormatAndSaneSizes) {
    struct Case {
        const char* what;
        WAVEFORMATEX format;
        DWORD bytes;
        DWORD flags;
        DWORD size;
        HRESULT result;
    };
    const WAVEFORMATEX fixed = media::FixedFormat();
    auto with = [&](auto change) {
        WAVEFORMATEX f = fixed;
        change(f);
        return f;
    };
    const std::vector<Case> cases = {
        {"the fixed format", fixed, 100, 0, sizeof(DSBUFFERDESC), DS_OK},
        {"compressed", with([](auto& f) { f.wFormatTag = 2; }), 100, 0, sizeof(DSBUFFERDESC), DSERR_BADFORMAT},
        {"stereo", with([](auto& f) { f.nChannels = 2; }), 100, 0, sizeof(DSBUFFERDESC), DSERR_BADFORMAT},
        {"22050 Hz", with([](auto& f) { f.nSamplesPerSec = 22050; }), 100, 0, sizeof(DSBUFFERDESC), DSERR_BADFORMAT},
        {"16 bits", with([](auto& f) { f.wBitsPerSample = 16; }), 100, 0, sizeof(DSBUFFERDESC), DSERR_BADFORMAT},
        {"too small", fixed, DSBSIZE_MIN - 1, 0, sizeof(DSBUFFERDESC), DSERR_INVALIDPARAM},
        {"too large", fixed, DSBSIZE_MAX + 1, 0, sizeof(DSBUFFERDESC), DSERR_INVALIDPARAM},
        {"primary", fixed, 100, DSBCAPS_PRIMARYBUFFER, sizeof(DSBUFFERDESC), DSERR_INVALIDPARAM},
        {"wrong record size", fixed, 100, 0, 20, DSERR_INVALIDPARAM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WAVEFORMATEX format = c.format;
        DSBUFFERDESC desc{c.size, c.flags, c.bytes, 0, &format};
        IDirectSoundBuffer* buffer = reinterpret_cast<IDirectSoundBuffer*>(1);
        EXPECT_EQ(ds->CreateSoundBuffer(&desc, &buffer, nullptr), c.result);
        if (c.result == DS_OK) {
            ASSERT_NE(buffer, nullptr);
            EXPECT_EQ(buffer->size(), c.bytes);
            EXPECT_EQ(buffer->samples()[0], 128);  // silence
            buffer->Release();
        } else {
            EXPECT_EQ(buffer, nullptr);
        }
    }
    DSBUFFERDESC noFormat{sizeof(DSBUFFERDESC), 0, 100, 0, nullptr};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(ds->CreateSoundBuffer(&noFormat, &buffer, nullptr), DSERR_BADFORMAT);
}

TEST_F(DirectSoundTest, LockHandsOutTwoRegionsWhenTheSpanWrapsAndUnlockStoresThem) {
    IDirectSoundBuffer* buffer = Make(std::vector<uint8_t>(10, 128));
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(buffer->Lock(6, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 4u);
    ASSERT_NE(p2, nullptr);
    std::memset(p1, 1, n1);
    std::memset(p2, 2, n2);
    // Nothing reaches the samples before Unlock, and only one lock at a time.
    EXPECT_EQ(buffer->samples()[6], 128);
    void *q1, *q2;
    DWORD m1, m2;
    EXPECT_EQ(buffer->Lock(0, 1, &q1, &m1, &q2, &m2, 0), DSERR_INVALIDCALL);
    EXPECT_EQ(buffer->Unlock(static_cast<uint8_t*>(p1) + 1, n1, p2, n2), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(p1, n1 + 1, p2, n2), DSERR_INVALIDPARAM);
    // Only the bytes said to be written are stored: three of the second region.
    ASSERT_EQ(buffer->Unlock(p1, n1, p2, 3), DS_OK);
    const std::vector<uint8_t> expected = {2, 2, 2, 128, 128, 128, 1, 1, 1, 1};
    EXPECT_EQ(std::vector<uint8_t>(buffer->samples(), buffer->samples() + 10), expected);
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), DSERR_INVALIDCALL);

    // From the write cursor, which for a stopped buffer is its play position.
    ASSERT_EQ(buffer->SetCurrentPosition(3), DS_OK);
    ASSERT_EQ(buffer->Lock(0, 2, &p1, &n1, &p2, &n2, DSBLOCK_FROMWRITECURSOR), DS_OK);
    *static_cast<uint8_t*>(p1) = 9;
    ASSERT_EQ(buffer->Unlock(p1, 1, nullptr, 0), DS_OK);
    EXPECT_EQ(buffer->samples()[3], 9);
    // The whole buffer, whatever the count says.
    ASSERT_EQ(buffer->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(n1, 10u);
    EXPECT_EQ(n2, 0u);
    EXPECT_EQ(p2, nullptr);
    ASSERT_EQ(buffer->Unlock(p1, 0, nullptr, 0), DS_OK);
    EXPECT_EQ(buffer->Lock(0, 11, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(10, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(8, 4, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);  // wraps
}

TEST_F(DirectSoundTest, ControlsNeedTheirCapabilityAndStayInRange) {
    IDirectSoundBuffer* plain = Make(std::vector<uint8_t>(10, 128), 0);
    EXPECT_EQ(plain->SetVolume(-100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetPan(100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetFrequency(22050), DSERR_CONTROLUNAVAIL);

    IDirectSoundBuffer* buffer = Make(std::vector<uint8_t>(10, 128));
    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(DSBVOLUME_MIN - 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-3000), DS_OK);
    EXPECT_EQ(buffer->volume(), -3000);
    EXPECT_EQ(buffer->SetPan(DSBPAN_RIGHT + 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetPan(DSBPAN_LEFT), DS_OK);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_MIN - 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_MAX + 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(22050), DS_OK);
    EXPECT_EQ(buffer->frequency(), 22050u);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    EXPECT_EQ(buffer->frequency(), 11025u);
    EXPECT_EQ(buffer->SetCurrentPosition(10), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->GetStatus(nullptr), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, StatusFollowsPlayStopAndTheEndOfTheSamples) {
    IDirectSoundBuffer* buffer = Make(std::vector<uint8_t>(1103, 200));  // 100 ms
    DWORD status = 99;
    ASSERT_EQ(buffer->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, 0u);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    Advance(300);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);  // round and round
    ASSERT_EQ(buffer->Stop(), DS_OK);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING);
    Advance(150);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);  // played once to its end
}

TEST_F(DirectSoundTest, DuplicateSharesTheSamplesButNotTheSettings) {
    IDirectSoundBuffer* original = Make(std::vector<uint8_t>(100, 128));
    ASSERT_EQ(original->SetVolume(-600), DS_OK);
    ASSERT_EQ(original->SetFrequency(8000), DS_OK);
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(original, &copy), DS_OK);
    made.push_back(copy);
    EXPECT_EQ(copy->samples(), original->samples());
    EXPECT_EQ(copy->volume(), -600);
    EXPECT_EQ(copy->frequency(), 8000u);
    EXPECT_EQ(copy->flags(), original->flags());
    DWORD status = 99;
    copy->GetStatus(&status);
    EXPECT_EQ(status, 0u);  // a duplicate starts stopped
    ASSERT_EQ(copy->SetVolume(0), DS_OK);
    EXPECT_EQ(original->volume(), -600);
    // Writing through one is heard through the other.
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(original->Lock(0, 1, &p1, &n1, &p2, &n2, 0), DS_OK);
    *static_cast<uint8_t*>(p1) = 7;
    ASSERT_EQ(original->Unlock(p1, 1, nullptr, 0), DS_OK);
    EXPECT_EQ(copy->samples()[0], 7);
    EXPECT_EQ(ds->DuplicateSoundBuffer(nullptr, &copy), DSERR_INVALIDPARAM);
}

}  // namespace
