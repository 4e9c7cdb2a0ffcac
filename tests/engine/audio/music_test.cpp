#include "engine/audio/music.h"

#include "engine/audio/music.h"
#include "engine/audio/sound.h"
#include "engine/core/main_window.h"
#include "platform/sound/mixer.h"
#include "support/allocation_limit.h"
#include "support/engine_support.h"

namespace {

std::vector<int32_t> started;
void RecordStart(int32_t id) { started.push_back(id); }

class MusicTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        started.clear();
        ASSERT_EQ(SoundInit(), 1);
        ASSERT_EQ(MusicInit(), 1);
        Write("long.mid", media::Song(40));  // ten seconds
        Write("short.mid", media::Song(2));  // half a second
    }
    int32_t State(int32_t id) const { return MidiTable[static_cast<size_t>(id)].state; }
};

TEST_F(MusicTest, LoadsTakeTheLowestFreeSlotsAndFailuresTakeNone) {
    Write("bad.mid", media::Wav(media::Square(100)));
    for (const char* bad : {"bad.mid", "missing.mid", static_cast<const char*>(nullptr)}) EXPECT_EQ(MusicLoad(bad), -1);
    EXPECT_EQ(MusicLoad(std::string(300, 'a').c_str()), -1);  // longer than a file name may be
    const char* names[] = {"MIDIFILE0.MID", "MIDIFILE1.MID", "MIDIFILE2.MID", "MIDIFILE3.MID",
                           "MIDIFILE4.MID", "Intro.mid",     "Ending.mid"};
    for (int i = 0; i < 7; ++i) {
        Write(names[i], media::Song(i + 1));
        EXPECT_EQ(MusicLoad(names[i]), i);
        EXPECT_EQ(State(i), MUSIC_LOADED);
    }
    EXPECT_STREQ(MusicFileName(5), "Intro.mid");
    EXPECT_EQ(MusicFileName(7), nullptr);
    for (int i = 7; i < MUSIC_SLOTS; ++i) ASSERT_EQ(MusicLoad("short.mid"), i);
    EXPECT_EQ(MusicLoad("short.mid"), -1);
}

TEST_F(MusicTest, WithoutMemoryNoSongLoads) {
    int32_t loaded = 0;
    {
        AllocationLimit none(0);
        loaded = MusicLoad("short.mid");
    }
    EXPECT_EQ(loaded, -1);
    EXPECT_EQ(MusicLoad("short.mid"), 0);
}

TEST_F(MusicTest, StartingASongStopsTheCurrentOne) {
    MusicSetPlayObserver(&RecordStart);
    const int32_t a = MusicLoad("long.mid");
    const int32_t b = MusicLoad("long.mid");
    ASSERT_EQ(MusicPlay(a), 1);
    EXPECT_EQ(currentSong, a);
    EXPECT_EQ(State(a), MUSIC_PLAYING);
    Advance(300);
    ASSERT_EQ(MusicPlay(b), 1);
    EXPECT_EQ(State(a), MUSIC_STOPPED);
    EXPECT_EQ(State(b), MUSIC_PLAYING);
    EXPECT_EQ(currentSong, b);
    EXPECT_EQ(MusicStatus(a), MUSIC_STOPPED);
    EXPECT_EQ(MusicStatus(b), MUSIC_PLAYING);
    // Playing the current song again starts it anew.
    const uint64_t before = MidiTable[static_cast<size_t>(b)].segmentState->start();
    ASSERT_EQ(MusicPlay(b), 1);
    EXPECT_GT(MidiTable[static_cast<size_t>(b)].segmentState->start(), before);
    EXPECT_EQ(MusicStatus(b), MUSIC_PLAYING);
    EXPECT_EQ(started, (std::vector<int32_t>{a, b, b}));
}

TEST_F(MusicTest, AStartThePerformanceRefusesStillMarksTheSongPlaying) {
    const int32_t a = MusicLoad("long.mid");
    const int32_t b = MusicLoad("short.mid");
    ASSERT_EQ(MusicPlay(a), 1);
    ASSERT_EQ(MusicPerformance->CloseDown(), S_OK);  // from now on it refuses every start
    IDirectMusicSegmentState* state = nullptr;
    ASSERT_TRUE(FAILED(MusicPerformance->PlaySegment(MidiTable[static_cast<size_t>(b)].segment, 0, 0, &state)));
    EXPECT_EQ(MusicPlay(b), 1);
    EXPECT_EQ(State(a), MUSIC_STOPPED);
    EXPECT_EQ(State(b), MUSIC_PLAYING);
    EXPECT_EQ(currentSong, b);
}

TEST_F(MusicTest, StoppingAnotherSongForgetsTheCurrentOneAndBadIdsChangeNothing) {
    const int32_t a = MusicLoad("long.mid");
    const int32_t b = MusicLoad("long.mid");
    ASSERT_EQ(MusicPlay(a), 1);
    for (int32_t id : {-1, 5, 64}) {
        EXPECT_EQ(MusicPlay(id) + MusicStop(id) + MusicStatus(id), 0);
        EXPECT_EQ(MusicUnload(id), 1);
    }
    EXPECT_EQ(currentSong, a);
    EXPECT_EQ(MusicStop(b), 1);
    EXPECT_EQ(currentSong, -1);
    EXPECT_EQ(State(b), MUSIC_STOPPED);
    EXPECT_EQ(MusicStatus(a), MUSIC_PLAYING);  // not stopped by it
    EXPECT_EQ(MusicStop(a), 1);
    EXPECT_EQ(MusicStatus(a), MUSIC_STOPPED);
}

TEST_F(MusicTest, ASongThatHasEndedReportsNotPlaying) {
    const int32_t id = MusicLoad("short.mid");
    ASSERT_EQ(MusicPlay(id), 1);
    Advance(200);
    EXPECT_EQ(MusicStatus(id), MUSIC_PLAYING);
    Advance(4000);                        // its end, and the last notes' release
    EXPECT_EQ(State(id), MUSIC_PLAYING);  // until asked
    EXPECT_EQ(MusicStatus(id), MUSIC_STOPPED);
    EXPECT_EQ(State(id), MUSIC_STOPPED);
    EXPECT_EQ(currentSong, id);
    ASSERT_EQ(MusicPlay(id), 1);
    EXPECT_EQ(MusicStatus(id), MUSIC_PLAYING);
}

TEST_F(MusicTest, NamesAreLookedUpInTheFolderCurrentAtLoadTime) {
    TempDir other;
    WriteBytes(other.File("only-there.mid"), media::Song(1));
    EXPECT_EQ(MusicLoad("only-there.mid"), -1);
    {
        WorkingFolder there(other.path());
        EXPECT_EQ(MusicLoad("only-there.mid"), 0);
        EXPECT_EQ(MusicLoad("short.mid"), -1);
    }
    EXPECT_EQ(MusicLoad("short.mid"), 1);
}

TEST_F(MusicTest, UnloadFreesTheSlotButLeavesTheSongPlaying) {
    const int32_t a = MusicLoad("long.mid");
    ASSERT_EQ(MusicPlay(a), 1);
    IDirectMusicSegment* segment = MidiTable[static_cast<size_t>(a)].segment;
    EXPECT_EQ(MusicUnload(a), 1);
    EXPECT_EQ(State(a), MUSIC_FREE);
    EXPECT_EQ(MidiTable[static_cast<size_t>(a)].segment, nullptr);
    EXPECT_EQ(currentSong, a);
    EXPECT_EQ(MusicPerformance->IsPlaying(segment, nullptr), S_OK);  // the performance holds it
    EXPECT_EQ(MusicStatus(a), 0);
    EXPECT_EQ(MusicLoad("short.mid"), a);  // the freed slot is taken again
}

TEST_F(MusicTest, ShutdownReleasesEverythingAndSetUpCanBeRepeated) {
    const int objects = ComLiveObjects();
    ASSERT_EQ(MusicPlay(MusicLoad("long.mid")), 1);
    ASSERT_EQ(MusicLoad("short.mid"), 1);
    // A second set-up shuts down the first before starting afresh.
    ASSERT_EQ(MusicInit(), 1);
    EXPECT_EQ(currentSong, -1);
    EXPECT_EQ(ComLiveObjects(), objects);
    EXPECT_EQ(MusicLoad("short.mid"), 0);
    // As at the end of the game: the sounds go first, then the songs.
    EXPECT_EQ(SoundStopAll() + SoundDeleteAll() + SoundShutdown(), 3);
    EXPECT_EQ(MixerUsers(), 2);  // the performance keeps the DirectSound object, and the stream
    EXPECT_EQ(MusicUnloadAll(), 1);
    EXPECT_EQ(MusicShutdown(), 1);
    EXPECT_EQ(MusicPerformance, nullptr);
    EXPECT_EQ(MusicLoader, nullptr);
    EXPECT_EQ(MixerUsers(), 0);
    EXPECT_EQ(ComLiveObjects(), objects - 3);  // performance, loader, DirectSound object
    EXPECT_EQ(MusicLoad("short.mid"), -1);
    EXPECT_EQ(MusicPlay(0), 0);
}

TEST_F(MusicTest, WithoutAnAudioDeviceThereIsNoMusicAndNoFailure) {
    MusicReset();
    SoundReset();
    host.SetAudioAvailable(false);
    EXPECT_EQ(SoundInit(), 0);
    EXPECT_EQ(MusicInit(), 0);
    EXPECT_EQ(MusicLoad("short.mid"), -1);
    EXPECT_EQ(MusicPlay(0) + MusicStop(0) + MusicStatus(0), 0);
    EXPECT_EQ(MusicUnloadAll() + MusicShutdown(), 2);
}

TEST_F(MusicTest, SongsSitUnderTheEffects) {
    if (MusicSynthSoundFont().empty()) GTEST_SKIP() << "no SoundFont: music is silent";
    Write("effect.wav", media::Wav(media::Square(11025, 25)));  // a loud one-second buzz
    ASSERT_EQ(MusicPlay(MusicLoad("long.mid")), 1);
    Advance(2000);
    const double music = media::Rms(host.audio(), Frames() - 44100, Frames());
    ASSERT_EQ(SoundPlay(SoundLoad("effect.wav", 0xE0), 0, 0, 0, 0), 1);
    Advance(1000);
    const double both = media::Rms(host.audio(), Frames() - 44100, Frames());
    // One piano note at a time: about -31 dBFS, where the synthesizer's default gain gives -39.
    EXPECT_GT(music, 0.018);
    EXPECT_LT(music, both / 3);  // at least 10 dB under a loud effect
}

}  // namespace
