#include "platform/mixer.h"

#include "audio/audio_media.h"
#include "platform/dsound.h"

#include <atomic>
#include <thread>

namespace {

constexpr size_t kRate = MIXER_WANTED_RATE;
// Frames of the device stream per sample of a buffer played at 11025 Hz.
constexpr size_t kStretch = kRate / 11025;

// Level 192 is +0.5 of full scale; 64 is -0.5.
constexpr int16_t kHalf = 16384;

class MixerTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        ASSERT_EQ(ds->SetCooperativeLevel(MainWindowHandle, DSSCL_NORMAL), DS_OK);
    }
    void TearDown() override {
        for (IUnknown* object : made) object->Release();
        ds->Release();
        AudioTest::TearDown();
    }
    IDirectSoundBuffer* Make(const std::vector<uint8_t>& samples) {
        IDirectSoundBuffer* buffer = media::Buffer(ds, samples);
        EXPECT_NE(buffer, nullptr);
        made.push_back(buffer);
        return buffer;
    }
    int16_t Left(size_t frame) const { return host.audio()[2 * frame]; }
    int16_t Right(size_t frame) const { return host.audio()[2 * frame + 1]; }
    // Frames from `from` on that carry sound, counted up to the first silent one.
    size_t SoundingFrames(size_t from) const {
        size_t f = from;
        while (f < Frames() && (Left(f) != 0 || Right(f) != 0)) ++f;
        return f - from;
    }
    IDirectSound* ds = nullptr;
    std::vector<IUnknown*> made;
};

TEST_F(MixerTest, ABufferSoundsFromTheMomentItIsPlayedForItsLength) {
    IDirectSoundBuffer* buffer = Make(media::Level(1000, 192));
    Advance(100);
    const size_t start = Frames();
    EXPECT_EQ(start, kRate / 10);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    Advance(200);
    EXPECT_EQ(media::FirstSound(host.audio()), start);
    EXPECT_EQ(Left(start), kHalf);
    EXPECT_EQ(Right(start), kHalf);
    EXPECT_EQ(SoundingFrames(start), 1000 * kStretch);
}

TEST_F(MixerTest, VolumeAndPanScaleEachSide) {
    IDirectSoundBuffer* buffer = Make(media::Level(2000, 192));
    ASSERT_EQ(buffer->SetVolume(-602), DS_OK);  // -6.02 dB: half the amplitude
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    Advance(10);
    EXPECT_NEAR(Left(0), kHalf / 2, 4);
    EXPECT_NEAR(Right(0), kHalf / 2, 4);

    ASSERT_EQ(buffer->SetVolume(0), DS_OK);
    ASSERT_EQ(buffer->SetPan(DSBPAN_RIGHT), DS_OK);  // the left side attenuated by 100 dB
    size_t at = Frames();
    Advance(10);
    EXPECT_EQ(Left(at), 0);
    EXPECT_EQ(Right(at), kHalf);

    ASSERT_EQ(buffer->SetPan(-602), DS_OK);  // the right side 6 dB down
    at = Frames();
    Advance(10);
    EXPECT_EQ(Left(at), kHalf);
    EXPECT_NEAR(Right(at), kHalf / 2, 4);
}

TEST_F(MixerTest, FrequencySetsHowFastTheSamplesPass) {
    IDirectSoundBuffer* fast = Make(media::Level(1000, 192));
    ASSERT_EQ(fast->SetFrequency(22050), DS_OK);
    ASSERT_EQ(fast->Play(0, 0, 0), DS_OK);
    Advance(200);
    EXPECT_EQ(SoundingFrames(0), 1000 * kStretch / 2);

    // Between samples the level is interpolated: from -0.5 to +0.5 over one sample at 11025 Hz
    // passes through the levels in between.
    IDirectSoundBuffer* step = Make({64, 192, 192, 192});
    const size_t at = Frames();
    ASSERT_EQ(step->Play(0, 0, 0), DS_OK);
    Advance(10);
    EXPECT_EQ(Left(at), -kHalf);
    EXPECT_EQ(Left(at + 2), 0);
    EXPECT_EQ(Left(at + 4), kHalf);
}

TEST_F(MixerTest, RestartingABufferStartsItAgainFromItsBeginning) {
    IDirectSoundBuffer* buffer = Make(media::Level(1103, 192));  // 100 ms
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    Advance(50);
    ASSERT_EQ(buffer->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    Advance(300);
    EXPECT_EQ(SoundingFrames(0), kRate / 20 + 1103 * kStretch);
}

TEST_F(MixerTest, ADuplicatePlaysBesideItsSourceAndVoicesAddUpAndClip) {
    IDirectSoundBuffer* source = Make(media::Level(1000, 160));  // +0.25
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(source, &copy), DS_OK);
    made.push_back(copy);
    ASSERT_EQ(source->Play(0, 0, 0), DS_OK);
    Advance(20);
    const size_t at = Frames();
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    Advance(200);
    EXPECT_EQ(Left(0), kHalf / 2);
    EXPECT_EQ(Left(at), kHalf);  // both
    EXPECT_EQ(Left(1000 * kStretch + 10), kHalf / 2);  // the source has ended, the copy not

    // Three full-scale voices clip at the top instead of wrapping round.
    IDirectSoundBuffer* loud[3];
    for (auto& b : loud) {
        b = Make(media::Level(500, 255));
        ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    }
    const size_t clipped = Frames();
    Advance(10);
    EXPECT_EQ(Left(clipped), 32767);
}

TEST_F(MixerTest, ALoopingBufferGoesRoundUntilStopped) {
    IDirectSoundBuffer* buffer = Make(media::Square(110, 10));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    Advance(500);
    EXPECT_GT(media::Rms(host.audio(), Frames() - 1000, Frames()), 0.5);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    const size_t stopped = Frames();
    Advance(50);
    EXPECT_EQ(media::FirstSound(host.audio(), stopped), SIZE_MAX);
}

TEST_F(MixerTest, APlayReachesTheNextPulledFrame) {
    // The latency from Play to the stream is at most what the host has already pulled: the very
    // next frame the host asks for carries the sound.
    IDirectSoundBuffer* buffer = Make(media::Level(1000, 192));
    int16_t out[2 * 1024];
    MixerPull(out, 1024);
    EXPECT_EQ(out[0], 0);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    MixerPull(out, 1024);
    EXPECT_EQ(out[0], kHalf);
    EXPECT_EQ(out[1], kHalf);
}

TEST_F(MixerTest, TheAudioThreadAndTheGameThreadShareTheVoicesSafely) {
    // A stand-in for the host's audio thread pulls while this thread makes, plays, changes and
    // releases buffers; the sanitizer build checks that nothing is touched after release.
    std::atomic<bool> done{false};
    std::thread audio([&] {
        int16_t out[2 * 512];
        while (!done) MixerPull(out, 512);
    });
    for (int round = 0; round < 200; ++round) {
        IDirectSoundBuffer* buffer = media::Buffer(ds, media::Square(300));
        ASSERT_NE(buffer, nullptr);
        IDirectSoundBuffer* copy = nullptr;
        ds->DuplicateSoundBuffer(buffer, &copy);
        buffer->Play(0, 0, round % 2 ? DSBPLAY_LOOPING : 0);
        copy->Play(0, 0, 0);
        buffer->SetFrequency(static_cast<DWORD>(5000 + round * 100));
        buffer->SetPan(round * 10 - 1000);
        buffer->Release();
        copy->Release();
    }
    done = true;
    audio.join();
}

}  // namespace
