#include "engine/audio/sound.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/core/main_window.h"
#include "platform/sound/limiter.h"
#include "platform/sound/mixer.h"
#include "platform/standins/mmio.h"
#include "support/allocation_limit.h"
#include "support/engine_support.h"

#include <climits>

namespace {

using media::Chunk;
using media::Fmt;
using media::Riff;
using media::Wav;

constexpr int32_t kControls = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
constexpr size_t kStretch = MIXER_WANTED_RATE / 11025;

std::vector<int32_t> played;
void RecordPlay(int32_t id) { played.push_back(id); }

class SoundTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        played.clear();
        ASSERT_EQ(SoundInit(), 1);
        Write("good.wav", Wav(media::Level(1000, 192)));
    }
    int32_t LoadBytes(const std::vector<uint8_t>& bytes) {
        Write("file.wav", bytes);
        return SoundLoad("file.wav", kControls);
    }
    // Frames mixed from `from` on that carry sound, up to the first silent one (heard after the
    // limiter's delay).
    size_t SoundingFrames(size_t from) const {
        size_t f = from + LIMITER_DELAY_FRAMES;
        while (f < Frames() && host.audio()[2 * f] != 0) ++f;
        return f - from - LIMITER_DELAY_FRAMES;
    }
};

TEST_F(SoundTest, LoadsTakeTheLowestFreeSlotsInOrder) {
    const char* names[] = {"Sword Strike.WAV", "Sword Clash.WAV",    "Enemy Taunt.WAV", "Enemy Death.WAV",
                           "Game Over.WAV",    "Aries Greeting.WAV", "Aries Death.WAV"};
    for (int i = 0; i < 7; ++i) Write(names[i], Wav(media::Square(100 + static_cast<size_t>(i))));
    // Other chunks before and between, a 16-byte format chunk, and odd sizes padded.
    const std::vector<uint8_t> samples = media::Level(103, 192);
    Write(names[3], Riff("WAVE", {{"LIST", {'I', 'N', 'F', 'O', 'a', 'b', 'c'}},
                                  {"fmt ", Fmt(1, 1, 11025, 8, false)},
                                  {"fact", {1, 2, 3}},
                                  {"data", samples},
                                  {"junk", {9}}}));
    for (int i = 0; i < 7; ++i) EXPECT_EQ(SoundLoad(names[i], kControls), i);
    const SoundSlot& slot = SoundTable[3];
    EXPECT_EQ(slot.state, 1);
    EXPECT_EQ(slot.rate, 11025);
    EXPECT_EQ(slot.size, 103);
    EXPECT_EQ(slot.id, 3);
    EXPECT_EQ(std::vector<uint8_t>(slot.buffer->samples(), slot.buffer->samples() + 103), samples);
    EXPECT_STREQ(SoundFileName(3), "Enemy Death.WAV");
    EXPECT_EQ(SoundFileName(7), nullptr);
}

TEST_F(SoundTest, BadFilesAreRefusedTakeNoSlotAndAreClosed) {
    auto truncated = Wav(media::Square(400));
    truncated.resize(200);
    const std::vector<uint8_t> samples = media::Square(100);
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> bad = {
        {"compressed format tag", Wav(samples, 11025, 2)},
        {"no fmt chunk", Riff("WAVE", {{"data", samples}})},
        {"no data chunk", Riff("WAVE", {{"fmt ", Fmt()}})},
        {"data chunk before the fmt chunk", Riff("WAVE", {{"data", samples}, {"fmt ", Fmt()}})},
        {"fmt chunk too short", Riff("WAVE", {{"fmt ", {1, 0, 1, 0, 0x11, 0x2B}}, {"data", samples}})},
        {"truncated data", truncated},
        {"data chunk larger than the RIFF chunk", Riff("WAVE", {{"fmt ", Fmt()}, {"data", samples, 5000}})},
        {"data chunk of 4 GiB", Riff("WAVE", {{"fmt ", Fmt()}, {"data", samples, 0xFFFFFFFF}})},
        {"not a WAVE", Riff("AVI ", {{"fmt ", Fmt()}, {"data", samples}})},
        {"too few samples for a buffer", Wav({1, 2})},
        {"empty file", {}},
    };
    for (const auto& [what, bytes] : bad) {
        SCOPED_TRACE(what);
        EXPECT_EQ(LoadBytes(bytes), -1);
        EXPECT_EQ(SoundTable[0].state, 0);
        EXPECT_EQ(MmioOpenFiles(), 0);
    }
    EXPECT_EQ(SoundLoad("missing.wav", kControls), -1);
    EXPECT_EQ(SoundLoad(nullptr, kControls), -1);
    EXPECT_EQ(SoundLoad("good.wav", kControls), 0);  // the id a good file would have got
}

TEST_F(SoundTest, WithoutMemoryNothingLoadsAndNoFileStaysOpen) {
    ASSERT_EQ(SoundLoad("good.wav", kControls), 0);
    int32_t loaded = 0, copied = 0;
    {
        AllocationLimit none(0);
        loaded = SoundLoad("good.wav", kControls);
        copied = SoundReplicate(0);
    }
    EXPECT_EQ(loaded, -1);
    EXPECT_EQ(copied, -1);
    EXPECT_EQ(MmioOpenFiles(), 0);
    EXPECT_EQ(SoundTable[1].state, 0);
    EXPECT_EQ(SoundLoad("good.wav", kControls), 1);
}

TEST_F(SoundTest, StreamedAndUnpaddedFilesAreTaken) {
    // What common writers leave: a RIFF size larger than the file (written before the length
    // was known), and an odd data chunk at the end without its pad byte.
    const std::vector<uint8_t> samples = media::Level(101, 192);
    const std::vector<uint8_t> streamed = Riff("WAVE", {{"fmt ", Fmt()}, {"data", samples}}, 0x7FFFFFF0);
    std::vector<uint8_t> unpadded = Riff("WAVE", {{"fmt ", Fmt()}, {"data", samples}});
    unpadded.pop_back();
    for (const auto& bytes : {streamed, unpadded}) {
        const int32_t id = LoadBytes(bytes);
        ASSERT_GE(id, 0);
        EXPECT_EQ(SoundTable[static_cast<size_t>(id)].size, 101);
    }
    // What does not fit the file is still refused: its samples are not all there.
    std::vector<uint8_t> cut = unpadded;
    cut.pop_back();
    EXPECT_EQ(LoadBytes(cut), -1);
}

TEST_F(SoundTest, TheFilesOwnRateIsRecordedButPlaybackIsAlways11025) {
    ASSERT_EQ(LoadBytes(Wav(media::Level(1000, 192), 22050)), 0);
    EXPECT_EQ(SoundTable[0].rate, 22050);
    ASSERT_EQ(SoundPlay(0, 0, 0, 0, 0), 1);
    Advance(200);
    EXPECT_EQ(SoundingFrames(0), 1000 * kStretch);  // half speed for a 22050 Hz file
}

TEST_F(SoundTest, TheTableHoldsAtMost256Sounds) {
    for (int i = 0; i < SOUND_SLOTS; ++i) ASSERT_EQ(SoundLoad("good.wav", kControls), i);
    EXPECT_EQ(SoundLoad("good.wav", kControls), -1);
    EXPECT_EQ(SoundReplicate(0), -1);
}

TEST_F(SoundTest, PlayRestartsASoundThatIsStillSounding) {
    SoundSetPlayObserver(&RecordPlay);
    ASSERT_EQ(SoundLoad("good.wav", kControls), 0);
    ASSERT_EQ(SoundPlay(0, 0, 50, 22050, 10000), 1);  // volume, rate and pan have no effect
    Advance(50);
    EXPECT_EQ(SoundStatus(0), static_cast<int32_t>(DSBSTATUS_PLAYING));
    ASSERT_EQ(SoundPlay(0, 0, 0, 0, 0), 1);
    Advance(200);
    EXPECT_EQ(SoundingFrames(0), MIXER_WANTED_RATE / 20 + 1000 * kStretch);
    EXPECT_EQ(SoundStatus(0), 0);
    EXPECT_EQ(played, (std::vector<int32_t>{0, 0}));
}

TEST_F(SoundTest, StopRewindsTheSound) {
    ASSERT_EQ(SoundLoad("good.wav", kControls), 0);
    SoundPlay(0, 0, 0, 0, 0);
    Advance(50);
    ASSERT_EQ(SoundStop(0), 1);
    const size_t stopped = Frames();
    ASSERT_EQ(SoundTable[0].buffer->Play(0, 0, 0), DS_OK);  // from where the stop left it
    Advance(200);
    EXPECT_EQ(SoundingFrames(stopped), 1000 * kStretch);
}

TEST_F(SoundTest, SettersConvertAndReportWhatDirectSoundSays) {
    ASSERT_EQ(SoundLoad("good.wav", kControls), 0);
    IDirectSoundBuffer* buffer = SoundTable[0].buffer;
    const std::pair<int32_t, LONG> volumes[] = {{100, 0}, {50, -1500}, {0, -3000}};
    for (const auto& [percent, hundredths] : volumes) {
        EXPECT_EQ(SoundSetVolume(0, percent), 1);
        EXPECT_EQ(buffer->volume(), hundredths);
    }
    for (int32_t percent : {101, INT_MIN, INT_MAX}) EXPECT_EQ(SoundSetVolume(0, percent), 0);
    EXPECT_EQ(SoundSetFrequency(0, 22050), 1);
    EXPECT_EQ(SoundSetFrequency(0, -5), 0);
    EXPECT_EQ(SoundSetPan(0, -10000), 1);
    EXPECT_EQ(SoundSetPan(0, 10001), 0);
    ASSERT_EQ(SoundLoad("good.wav", 0), 1);  // without the controls DirectSound refuses
    EXPECT_EQ(SoundSetVolume(1, 100), 0);
    // An id that names no slot, and a slot without a sound.
    for (int32_t id : {-1, 2, 256}) {
        EXPECT_EQ(SoundSetVolume(id, 100) + SoundSetFrequency(id, 11025) + SoundSetPan(id, 0), 0);
        EXPECT_EQ(SoundStatus(id), -1);
        EXPECT_EQ(SoundPlay(id, 0, 0, 0, 0) + SoundStop(id) + SoundDelete(id), 3);
    }
}

TEST_F(SoundTest, ADeletedSlotStaysTakenUntilTheNextInit) {
    for (int i = 0; i < 5; ++i) ASSERT_EQ(SoundLoad("good.wav", kControls), i);
    SoundSetPlayObserver(&RecordPlay);
    ASSERT_EQ(SoundPlay(3, DSBPLAY_LOOPING, 0, 0, 0), 1);
    EXPECT_EQ(SoundDelete(3), 1);
    EXPECT_EQ(SoundStatus(3), -1);
    EXPECT_EQ(SoundTable[3].state, 1);
    EXPECT_EQ(SoundPlay(3, 0, 0, 0, 0), 1);  // nothing to play
    EXPECT_EQ(played, (std::vector<int32_t>{3}));
    EXPECT_EQ(SoundLoad("good.wav", kControls), 5);
    EXPECT_EQ(SoundReplicate(3), -1);  // no buffer to share
    EXPECT_EQ(SoundTable[6].state, 0);
    Advance(100);
    EXPECT_EQ(media::FirstSound(host.audio()), SIZE_MAX);  // the deleted sound stopped

    // A second SoundInit stops and forgets every sound but keeps the DirectSound object.
    IDirectSound* ds = SoundDirectSound;
    EXPECT_EQ(SoundInit(), 1);
    EXPECT_EQ(SoundDirectSound, ds);
    EXPECT_EQ(SoundLoad("good.wav", kControls), 0);
}

TEST_F(SoundTest, AReplicaSharesTheSamplesAndPlaysBesideItsSource) {
    Write("soft.wav", Wav(media::Level(1000, 176)));  // +0.375: the two together stay under the limiter
    ASSERT_EQ(SoundLoad("soft.wav", kControls), 0);
    ASSERT_EQ(SoundSetFrequency(0, 22050), 1);
    EXPECT_EQ(SoundReplicate(-1), -1);
    EXPECT_EQ(SoundReplicate(7), -1);  // a free slot
    ASSERT_EQ(SoundReplicate(0), 1);
    EXPECT_STREQ(SoundFileName(1), "soft.wav");
    EXPECT_EQ(SoundTable[1].buffer->samples(), SoundTable[0].buffer->samples());
    EXPECT_EQ(SoundTable[1].buffer->frequency(), 22050u);
    ASSERT_EQ(SoundSetFrequency(1, 11025), 1);
    ASSERT_EQ(SoundPlay(0, 0, 0, 0, 0), 1);
    ASSERT_EQ(SoundPlay(1, 0, 0, 0, 0), 1);
    Advance(200);
    const size_t heard = LIMITER_DELAY_FRAMES + 16 * kStretch;               // past the start, as the listener hears it
    EXPECT_NEAR(host.audio()[2 * heard], 24576, 1);                          // both at +0.375
    EXPECT_NEAR(host.audio()[2 * (heard + 500 * kStretch + 10)], 12288, 1);  // the faster source is over
}

// The system may take a buffer's memory while another program has the sound device: playing it
// then gives it back and writes the sound into it again, the source's and its replica's alike.
TEST_F(SoundTest, ALostBufferIsRestoredAndFilledAgainBeforeItPlays) {
    const std::vector<uint8_t> samples = media::Level(600, 200);
    Write("square.wav", Wav(samples));
    ASSERT_EQ(SoundLoad("square.wav", kControls), 0);
    ASSERT_EQ(SoundReplicate(0), 1);
    for (int32_t id : {0, 1}) {
        DirectSoundLoseBuffers(SoundDirectSound);
        IDirectSoundBuffer* buffer = SoundTable[static_cast<size_t>(id)].buffer;
        ASSERT_EQ(SoundStatus(id), static_cast<int32_t>(DSBSTATUS_BUFFERLOST));
        ASSERT_NE(std::vector<uint8_t>(buffer->samples(), buffer->samples() + 600), samples);
        EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_BUFFERLOST);
        ASSERT_EQ(SoundPlay(id, 0, 0, 0, 0), 1);
        EXPECT_EQ(SoundStatus(id), static_cast<int32_t>(DSBSTATUS_PLAYING));
        EXPECT_EQ(std::vector<uint8_t>(buffer->samples(), buffer->samples() + 600), samples);
        const size_t from = Frames();
        Advance(100);
        EXPECT_EQ(SoundingFrames(from), 600 * kStretch);
    }
}

TEST_F(SoundTest, WithoutAnAudioDeviceInitFailsAndTheGameRunsSilent) {
    SoundReset();
    host.SetAudioAvailable(false);
    EXPECT_EQ(SoundInit(), 0);
    EXPECT_EQ(SoundDirectSound, nullptr);
    EXPECT_EQ(SoundLoad("good.wav", kControls), -1);
    EXPECT_EQ(SoundPlay(0, 0, 0, 0, 0), 1);
    // Set-up is not tried again, even with a device.
    host.SetAudioAvailable(true);
    EXPECT_EQ(SoundInit(), 1);
    EXPECT_EQ(SoundLoad("good.wav", kControls), -1);
    EXPECT_EQ(SoundShutdown(), 1);
}

}  // namespace
