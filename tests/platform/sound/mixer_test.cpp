#include "platform/sound/mixer.h"

#include "platform/sound/limiter.h"
#include "platform/standins/dsound.h"
#include "support/audio_fixture.h"

#include <atomic>
#include <numbers>
#include <thread>

namespace {

constexpr size_t kStretch = MIXER_WANTED_RATE / 11025;  // stream frames per buffer sample
constexpr int16_t kHalf = 16384;                        // level 192: +0.5 of full scale
constexpr size_t kDelay = LIMITER_DELAY_FRAMES;
// Stream frames after a sound's start (or before its end) where the interpolator reads only the
// sound's own samples, so a steady level comes out steady.
constexpr size_t kSettled = 16 * kStretch;

class MixerTest : public DirectSoundStandInTest {
protected:
    IDirectSoundBuffer* Play(const std::vector<uint8_t>& samples, DWORD flags = 0) {
        IDirectSoundBuffer* buffer = Keep(media::Buffer(ds, samples));
        EXPECT_EQ(buffer->Play(0, 0, flags), DS_OK);
        return buffer;
    }
    // The frame heard for what was mixed at stream frame `frame` (the limiter delays it).
    int16_t Left(size_t frame) const { return host.audio()[2 * (frame + kDelay)]; }
    int16_t Right(size_t frame) const { return host.audio()[2 * (frame + kDelay) + 1]; }
    size_t SoundingFrames(size_t from) const {
        size_t f = from;
        while (f + kDelay < Frames() && (Left(f) != 0 || Right(f) != 0)) ++f;
        return f - from;
    }
};

TEST_F(MixerTest, ABufferSoundsFromTheMomentItIsPlayedForItsLength) {
    Advance(100);
    const size_t start = Frames();
    Play(media::Level(1000, 192));
    Advance(200);
    EXPECT_EQ(media::FirstSound(host.audio()), start + kDelay);
    EXPECT_NEAR(Left(start + kSettled), kHalf, 1);
    EXPECT_NEAR(Right(start + kSettled), kHalf, 1);
    EXPECT_EQ(SoundingFrames(start), 1000 * kStretch);
}

TEST_F(MixerTest, VolumeAndPanScaleEachSide) {
    IDirectSoundBuffer* buffer = Play(media::Level(2000, 192));
    ASSERT_EQ(buffer->SetVolume(-602), DS_OK);  // -6.02 dB: half the amplitude
    Advance(10);
    EXPECT_NEAR(Left(kSettled), kHalf / 2, 4);
    ASSERT_EQ(buffer->SetVolume(0), DS_OK);
    ASSERT_EQ(buffer->SetPan(DSBPAN_RIGHT), DS_OK);  // the left side 100 dB down
    size_t at = Frames();
    Advance(10);
    EXPECT_EQ(Left(at), 0);
    EXPECT_NEAR(Right(at), kHalf, 1);
    ASSERT_EQ(buffer->SetPan(-602), DS_OK);
    at = Frames();
    Advance(10);
    EXPECT_NEAR(Left(at), kHalf, 1);
    EXPECT_NEAR(Right(at), kHalf / 2, 4);
}

TEST_F(MixerTest, FrequencySetsTheSpeedAndASoundIsRebuiltBetweenItsSamples) {
    IDirectSoundBuffer* fast = Play(media::Level(1000, 192));
    ASSERT_EQ(fast->SetFrequency(22050), DS_OK);
    Advance(200);
    EXPECT_EQ(SoundingFrames(0), 1000 * kStretch / 2);
    // A 2 kHz tone comes out as the tone itself, also between its samples, to within the 8-bit
    // samples' own rounding.
    media::Bytes tone(2000);
    auto at = [](double t) { return 100.0 * std::sin(2.0 * std::numbers::pi * 2000.0 * t); };
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<uint8_t>(std::lround(128 + at(i / 11025.0)));
    const size_t start = Frames();
    Play(tone);
    Advance(100);
    double worst = 0;
    for (size_t f = kSettled; f < 1000; ++f) {
        worst = std::max(worst, std::abs(Left(start + f) / 256.0 - at(static_cast<double>(f) / MIXER_WANTED_RATE)));
    }
    EXPECT_LT(worst, 1.5) << "in steps of the 8-bit samples";
}

TEST_F(MixerTest, ADuplicatePlaysBesideItsSourceAndVoicesAddUpUnderTheLimitersCeiling) {
    IDirectSoundBuffer* source = Keep(media::Buffer(ds, media::Level(1000, 160)));  // +0.25
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(ds->DuplicateSoundBuffer(source, &copy), DS_OK);
    made.push_back(copy);
    ASSERT_EQ(source->Play(0, 0, 0), DS_OK);
    Advance(20);
    const size_t at = Frames();
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    Advance(200);
    EXPECT_NEAR(Left(kSettled), kHalf / 2, 1);
    EXPECT_NEAR(Left(at + kSettled), kHalf, 1);                   // both
    EXPECT_NEAR(Left(1000 * kStretch + kSettled), kHalf / 2, 1);  // the source is over, the copy not
    for (int i = 0; i < 3; ++i) Play(media::Level(500, 255));
    const size_t loud = Frames();
    Advance(20);
    int16_t peak = 0;
    for (size_t f = loud; f + kDelay < Frames(); ++f) peak = std::max(peak, Left(f));
    EXPECT_LE(peak, std::lround(LIMITER_CEILING * 32767) + 1);  // limited, not clipped nor wrapped round
    EXPECT_GT(Left(loud + 4 * kSettled), 28000);
}

TEST_F(MixerTest, ALoopingBufferGoesRoundUntilStopped) {
    IDirectSoundBuffer* buffer = Play(media::Square(110, 10), DSBPLAY_LOOPING);
    Advance(500);
    EXPECT_GT(media::Rms(host.audio(), Frames() - 1000, Frames()), 0.5);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    const size_t stopped = Frames();
    Advance(50);
    EXPECT_EQ(media::FirstSound(host.audio(), stopped + kDelay + MIXER_FADE_FRAMES), SIZE_MAX);
}

TEST_F(MixerTest, ASoundCutOffByItsRestartFadesOutInsteadOfStepping) {
    // A 200 Hz tone at half of full scale that starts softly, as the game's effects do; restarted
    // at its loudest, where stopping dead would step by half of full scale.
    media::Bytes tone(4000);
    for (size_t i = 0; i < tone.size(); ++i) {
        const double rise = std::min(1.0, static_cast<double>(i) / 110.0);
        tone[i] =
            static_cast<uint8_t>(std::lround(128 + 64 * rise * std::sin(2.0 * std::numbers::pi * 200.0 * i / 11025.0)));
    }
    IDirectSoundBuffer* buffer = Play(tone);
    Advance(51);  // ten periods and a quarter: at a crest
    const size_t cut = Frames();
    ASSERT_EQ(buffer->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    Advance(20);
    int worst = 0;
    for (size_t f = cut - 100; f < cut + 2 * MIXER_FADE_FRAMES; ++f)
        worst = std::max(worst, std::abs(Left(f + 1) - Left(f)));
    EXPECT_LT(worst, 1024) << "a step of 1/32 of full scale or more is a click";
}

TEST_F(MixerTest, APlayReachesTheVeryNextPulledFrame) {
    // So the delay a listener hears is at most the one device buffer the host has pulled.
    int16_t out[2 * 1024];
    MixerPull(out, 1024);
    EXPECT_EQ(out[0], 0);
    Play(media::Level(1000, 192));
    MixerPull(out, 1024);
    EXPECT_EQ(out[2 * (kDelay - 1)], 0);
    EXPECT_GT(out[2 * kDelay], kHalf / 4) << "after the limiter's delay";
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
