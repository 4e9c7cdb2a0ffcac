#include "platform/services/mixer.h"

#include "platform/win/dsound.h"
#include "support/media.h"

#include <atomic>
#include <thread>

namespace {

constexpr size_t kStretch = MIXER_WANTED_RATE / 11025;  // stream frames per buffer sample
constexpr int16_t kHalf = 16384;                        // level 192: +0.5 of full scale

class MixerTest : public DirectSoundStandInTest {
protected:
    IDirectSoundBuffer* Play(const std::vector<uint8_t>& samples, DWORD flags = 0) {
        IDirectSoundBuffer* buffer = Keep(media::Buffer(ds, samples));
        EXPECT_EQ(buffer->Play(0, 0, flags), DS_OK);
        return buffer;
    }
    int16_t Left(size_t frame) const { return host.audio()[2 * frame]; }
    int16_t Right(size_t frame) const { return host.audio()[2 * frame + 1]; }
    size_t SoundingFrames(size_t from) const {
        size_t f = from;
        while (f < Frames() && (Left(f) != 0 || Right(f) != 0)) ++f;
        return f - from;
    }
};

TEST_F(MixerTest, ABufferSoundsFromTheMomentItIsPlayedForItsLength) {
    Advance(100);
    const size_t start = Frames();
    Play(media::Level(1000, 192));
    Advance(200);
    EXPECT_EQ(media::FirstSound(host.audio()), start);
    EXPECT_EQ(Left(start), kHalf);
    EXPECT_EQ(Right(start), kHalf);
    EXPECT_EQ(SoundingFrames(start), 1000 * kStretch);
}

TEST_F(MixerTest, VolumeAndPanScaleEachSide) {
    IDirectSoundBuffer* buffer = Play(media::Level(2000, 192));
    ASSERT_EQ(buffer->SetVolume(-602), DS_OK);  // -6.02 dB: half the amplitude
    Advance(10);
    EXPECT_NEAR(Left(0), kHalf / 2, 4);
    ASSERT_EQ(buffer->SetVolume(0), DS_OK);
    ASSERT_EQ(buffer->SetPan(DSBPAN_RIGHT), DS_OK);  // the left side 100 dB down
    size_t at = Frames();
    Advance(10);
    EXPECT_EQ(Left(at), 0);
    EXPECT_EQ(Right(at), kHalf);
    ASSERT_EQ(buffer->SetPan(-602), DS_OK);
    at = Frames();
    Advance(10);
    EXPECT_EQ(Left(at), kHalf);
    EXPECT_NEAR(Right(at), kHalf / 2, 4);
}

TEST_F(MixerTest, FrequencySetsTheSpeedAndLevelsBetweenSamplesAreInterpolated) {
    IDirectSoundBuffer* fast = Play(media::Level(1000, 192));
    ASSERT_EQ(fast->SetFrequency(22050), DS_OK);
    Advance(200);
    EXPECT_EQ(SoundingFrames(0), 1000 * kStretch / 2);
    const size_t at = Frames();
    Play({64, 192, 192, 192});  // from -0.5 to +0.5 over one sample: four stream frames
    Advance(10);
    EXPECT_EQ(Left(at), -kHalf);
    EXPECT_EQ(Left(at + 2), 0);
    EXPECT_EQ(Left(at + 4), kHalf);
}

TEST_F(MixerTest, ADuplicatePlaysBesideItsSourceAndVoicesAddUpAndClip) {
    IDirectSoundBuffer* source = Keep(media::Buffer(ds, media::Level(1000, 160)));  // +0.25
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(source, &copy), DS_OK);
    made.push_back(copy);
    ASSERT_EQ(source->Play(0, 0, 0), DS_OK);
    Advance(20);
    const size_t at = Frames();
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    Advance(200);
    EXPECT_EQ(Left(0), kHalf / 2);
    EXPECT_EQ(Left(at), kHalf);                        // both
    EXPECT_EQ(Left(1000 * kStretch + 10), kHalf / 2);  // the source is over, the copy not
    for (int i = 0; i < 3; ++i) Play(media::Level(500, 255));
    const size_t loud = Frames();
    Advance(10);
    EXPECT_EQ(Left(loud), 32767);  // clipped, not wrapped round
}

TEST_F(MixerTest, ALoopingBufferGoesRoundUntilStopped) {
    IDirectSoundBuffer* buffer = Play(media::Square(110, 10), DSBPLAY_LOOPING);
    Advance(500);
    EXPECT_GT(media::Rms(host.audio(), Frames() - 1000, Frames()), 0.5);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    const size_t stopped = Frames();
    Advance(50);
    EXPECT_EQ(media::FirstSound(host.audio(), stopped), SIZE_MAX);
}

TEST_F(MixerTest, APlayReachesTheVeryNextPulledFrame) {
    // So the delay a listener hears is at most the one device buffer the host has pulled.
    int16_t out[2 * 1024];
    MixerPull(out, 1024);
    EXPECT_EQ(out[0], 0);
    Play(media::Level(1000, 192));
    MixerPull(out, 1024);
    EXPECT_EQ(out[0], kHalf);
}

TEST_F(MixerTest, TheAudioThreadAndTheGameThreadShareTheVoicesSafely) {
    // A stand-in for the host's audio thread pulls while this thread makes, plays, changes and
    // releases buffers (the sanitizer builds check the sharing).
    std::atomic<bool> done{false};
    std::thread audio([&] {
        int16_t out[2 * 512];
        while (!done) MixerPull(out, 512);
    });
    for (int round = 0; round < 200; ++round) {
        IDirectSoundBuffer* buffer = media::Buffer(ds, media::Square(300));
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
