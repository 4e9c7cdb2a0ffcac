#include "platform/standins/dsound.h"

#include "platform/sound/mixer.h"
#include "support/audio_fixture.h"

#include <cstring>

namespace {

class DirectSoundTest : public DirectSoundStandInTest {
protected:
    IDirectSoundBuffer* Make(size_t size, DWORD flags) {
        return Keep(media::Buffer(ds, std::vector<uint8_t>(size, 128), flags));
    }
};

TEST_F(DirectSoundTest, CreateSoundBufferTakesOnlyTheFixedFormatAndSaneSizes) {
    auto with = [](auto change) {
        WAVEFORMATEX f = media::FixedFormat();
        change(f);
        return f;
    };
    const std::vector<std::tuple<const char*, WAVEFORMATEX, DWORD, DWORD, HRESULT>> cases = {
        {"the fixed format", media::FixedFormat(), 100, 0, DS_OK},
        {"compressed", with([](auto& f) { f.wFormatTag = 2; }), 100, 0, DSERR_BADFORMAT},
        {"stereo", with([](auto& f) { f.nChannels = 2; }), 100, 0, DSERR_BADFORMAT},
        {"22050 Hz", with([](auto& f) { f.nSamplesPerSec = 22050; }), 100, 0, DSERR_BADFORMAT},
        {"too small", media::FixedFormat(), DSBSIZE_MIN - 1, 0, DSERR_INVALIDPARAM},
        {"too large", media::FixedFormat(), DSBSIZE_MAX + 1, 0, DSERR_INVALIDPARAM},
        {"primary", media::FixedFormat(), 100, DSBCAPS_PRIMARYBUFFER, DSERR_INVALIDPARAM},
    };
    for (const auto& [what, f, bytes, flags, result] : cases) {
        SCOPED_TRACE(what);
        WAVEFORMATEX format = f;
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), flags, bytes, 0, &format};
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(ds->CreateSoundBuffer(&desc, &buffer, nullptr), result);
        EXPECT_EQ(buffer != nullptr, result == DS_OK);
        if (buffer) {
            EXPECT_EQ(buffer->samples()[99], 128);  // silence
            buffer->Release();
        }
    }
}

TEST_F(DirectSoundTest, LockHandsOutTwoRegionsWhenTheSpanWrapsAndUnlockStoresThem) {
    IDirectSoundBuffer* buffer = Make(10, 0);
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(buffer->Lock(6, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
    ASSERT_EQ(n1, 4u);
    ASSERT_EQ(n2, 4u);
    std::memset(p1, 1, n1);
    std::memset(p2, 2, n2);
    EXPECT_EQ(buffer->samples()[6], 128);                                     // nothing arrives before Unlock
    EXPECT_EQ(buffer->Lock(0, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDCALL);  // one lock at a time
    EXPECT_EQ(buffer->Unlock(p1, n1 + 1, p2, n2), DSERR_INVALIDPARAM);
    ASSERT_EQ(buffer->Unlock(p1, n1, p2, 3), DS_OK);  // three bytes of the second region written
    EXPECT_EQ(std::vector<uint8_t>(buffer->samples(), buffer->samples() + 10),
              (std::vector<uint8_t>{2, 2, 2, 128, 128, 128, 1, 1, 1, 1}));
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), DSERR_INVALIDCALL);
    // From the write cursor, which for a stopped buffer is its play position.
    ASSERT_EQ(buffer->SetCurrentPosition(3), DS_OK);
    ASSERT_EQ(buffer->Lock(0, 1, &p1, &n1, &p2, &n2, DSBLOCK_FROMWRITECURSOR), DS_OK);
    *static_cast<uint8_t*>(p1) = 9;
    ASSERT_EQ(buffer->Unlock(p1, 1, nullptr, 0), DS_OK);
    EXPECT_EQ(buffer->samples()[3], 9);
    EXPECT_EQ(buffer->Lock(0, 11, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(8, 4, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);  // wraps
}

}  // namespace
