#include "platform/standins/dmusic.h"

#include "platform/sound/mixer.h"
#include "support/audio_fixture.h"

#include <cstdlib>

namespace {

using media::Smf;
using media::Track;

template <class T>
T* Create(const CLSID& classId, const IID& iid) {
    void* made = nullptr;
    EXPECT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC, iid, &made), S_OK);
    return static_cast<T*>(made);
}

class DirectMusicTest : public AudioStandInTest {
protected:
    void SetUp() override {
        AudioStandInTest::SetUp();
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        performance = Create<IDirectMusicPerformance>(CLSID_DirectMusicPerformance, IID_IDirectMusicPerformance);
        loader = Create<IDirectMusicLoader>(CLSID_DirectMusicLoader, IID_IDirectMusicLoader);
    }
    void TearDown() override {
        for (IUnknown* object : made) object->Release();
        performance->Release();  // closes it down
        loader->Release();
        CoUninitialize();
        EXPECT_EQ(MixerUsers(), 0);
        AudioStandInTest::TearDown();
    }
    void Ready() {
        ASSERT_EQ(performance->Init(nullptr, nullptr, window), S_OK);
        ASSERT_EQ(performance->AddPort(nullptr), S_OK);
    }
    HRESULT Load(const std::vector<uint8_t>& bytes, IDirectMusicSegment** segment) {
        Write("song.mid", bytes);
        DMUS_OBJECTDESC desc{};
        desc.dwSize = sizeof desc;
        desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
        desc.guidClass = CLSID_DirectMusicSegment;
        MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "song.mid", -1, desc.wszFileName, DMUS_MAX_FILENAME);
        void* made = nullptr;
        const HRESULT result = loader->GetObject(&desc, IID_IDirectMusicSegment, &made);
        *segment = static_cast<IDirectMusicSegment*>(made);
        return result;
    }
    // Loads a song and (unless told not to) downloads it to the performance.
    IDirectMusicSegment* Song(const std::vector<uint8_t>& bytes, bool download = true) {
        IDirectMusicSegment* segment = nullptr;
        EXPECT_EQ(Load(bytes, &segment), S_OK);
        made.push_back(segment);
        EXPECT_EQ(segment->SetParam(GUID_StandardMIDIFile, 0xFFFFFFFF, 0, 0, performance), S_OK);
        if (download) {
            EXPECT_EQ(segment->SetParam(GUID_Download, 0xFFFFFFFF, 0, 0, performance), S_OK);
        }
        return segment;
    }
    bool Playing(IDirectMusicSegment* segment) { return performance->IsPlaying(segment, nullptr) == S_OK; }
    // Root-mean-square level of the last `ms` milliseconds of the stream.
    double RecentLevel(uint32_t ms) {
        return media::Rms(host.audio(), Frames() - ms * MIXER_WANTED_RATE / 1000, Frames());
    }
    static bool HaveSoundFont() { return !MusicSynthSoundFont().empty(); }

    IDirectMusicPerformance* performance = nullptr;
    IDirectMusicLoader* loader = nullptr;
    std::vector<IUnknown*> made;
};

TEST_F(DirectMusicTest, TheLoaderRefusesAnythingThatIsNotAStandardMidiFile) {
    const auto good = media::Song(2);
    auto patched = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        auto out = good;
        std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<ptrdiff_t>(at));
        return out;
    };
    auto truncated = good;
    truncated.resize(good.size() - 3);
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> bad = {
        {"empty", {}},
        {"a WAV file", media::Wav(media::Square(100))},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 14)},
        {"header length under 6", patched(4, {0, 0, 0, 5})},
        {"header length past the end", patched(4, {0x7F, 0xFF, 0xFF, 0xFF})},
        {"format 3", patched(8, {0, 3})},
        {"format 0 with two tracks", patched(10, {0, 2})},
        {"division 0", patched(12, {0, 0})},
        {"SMPTE rate 23", patched(12, {0xE9, 4})},
        {"truncated track", truncated},
        {"track longer than the file", patched(20, {0x7F})},
        {"running status first", Smf(0, 96, {Track().Event(0, {60, 100}).End()})},
        {"data byte with its top bit", Smf(0, 96, {Track().Event(0, {0x90, 0x80, 100}).End()})},
        {"variable length of five bytes", Smf(0, 96, {Track{{0x80, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0x00}}})},
        {"meta longer than its track", Smf(0, 96, {Track{{0x00, 0xFF, 0x01, 0x20, 'a'}}})},
        {"sysex longer than its track", Smf(0, 96, {Track{{0x00, 0xF0, 0x10, 0x7E}}})},
        {"short tempo", Smf(0, 96, {Track{{0x00, 0xFF, 0x51, 0x02, 1, 2}}})},
        {"real-time byte", Smf(0, 96, {Track().Event(0, {0xF8}).End()})},
    };
    for (const auto& [what, bytes] : bad) {
        SCOPED_TRACE(what);
        IDirectMusicSegment* segment = reinterpret_cast<IDirectMusicSegment*>(1);
        EXPECT_EQ(Load(bytes, &segment), DMUS_E_LOADER_FORMATNOTSUPPORTED);
        EXPECT_EQ(segment, nullptr);
    }
    std::filesystem::remove(temp.File("song.mid"));
    DMUS_OBJECTDESC desc{
        sizeof(DMUS_OBJECTDESC), DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME, {}, CLSID_DirectMusicSegment, {}, {}, {}};
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "song.mid", -1, desc.wszFileName, DMUS_MAX_FILENAME);
    void* made = nullptr;
    EXPECT_EQ(loader->GetObject(&desc, IID_IDirectMusicSegment, &made), DMUS_E_LOADER_FAILEDOPEN);
}

TEST_F(DirectMusicTest, TheLoaderTakesTheVariantsRealFilesUse) {
    Ready();
    Track conductor;
    conductor.Tempo(0, 250000).Tempo(96, 1000000).End(96);
    Track notes;
    notes.Event(0, {0xC0, 5})
        .Event(0, {0x90, 60, 100})
        .Event(96, {60, 0})  // running status
        .Event(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7})
        .Event(0, {0xFF, 0x01, 0x03, 'a', 'b', 'c'})
        .Event(96, {0xB0, 7, 100});  // and no end-of-track event
    auto format1 = Smf(1, 96, {conductor, notes});
    const std::vector<uint8_t> unknown = {'X', 'F', 'I', 'H', 0, 0, 0, 4, 1, 2, 3, 4};
    format1.insert(format1.begin() + 14, unknown.begin(), unknown.end());
    auto longHeader = media::Song(1);
    longHeader[7] = 8;
    longHeader.insert(longHeader.begin() + 14, {0, 0});
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> good = {
        {"format 1: tempo map, running status, sysex, a chunk of unknown type", format1},
        {"format 2: patterns one after another", Smf(2, 96, {notes, notes})},
        {"SMPTE: 25 frames of 40 ticks", Smf(0, static_cast<uint16_t>(0xE700 | 40), {notes})},
        {"header longer than 6", longHeader},
    };
    for (const auto& [what, bytes] : good) {
        SCOPED_TRACE(what);
        ASSERT_NE(Song(bytes)->song(), nullptr);
    }
}

TEST_F(DirectMusicTest, ASongSoundsUntilItsEndAndItsLastNotesHaveDied) {
    Ready();
    IDirectMusicSegment* song = Song(media::Song(4, 250));  // one second of notes
    IDirectMusicSegmentState* state = nullptr;
    ASSERT_EQ(performance->PlaySegment(song, 0, 0, &state), S_OK);
    made.push_back(state);
    Advance(900);
    EXPECT_TRUE(Playing(song));
    EXPECT_EQ(performance->IsPlaying(nullptr, state), S_OK);
    if (HaveSoundFont()) {
        EXPECT_GT(RecentLevel(800), 0.01);
    }
    Advance(4100);  // the end, and at most three seconds of ringing
    EXPECT_FALSE(Playing(song));
    EXPECT_EQ(performance->IsPlaying(nullptr, state), S_FALSE);
    Advance(3000);
    EXPECT_LT(RecentLevel(1000), 0.0005);
}

TEST_F(DirectMusicTest, StoppingOrStartingAnotherSongEndsTheFirstAtOnce) {
    Ready();
    IDirectMusicSegment* first = Song(media::Song(40));
    IDirectMusicSegment* second = Song(media::Song(40, 250, 40));
    IDirectMusicSegmentState* firstStart = nullptr;
    IDirectMusicSegmentState* again = nullptr;
    ASSERT_EQ(performance->PlaySegment(first, 0, 0, &firstStart), S_OK);
    made.push_back(firstStart);
    Advance(500);
    ASSERT_EQ(performance->PlaySegment(first, 0, 0, &again), S_OK);  // a new start
    made.push_back(again);
    EXPECT_EQ(performance->IsPlaying(nullptr, firstStart), S_FALSE);
    EXPECT_EQ(performance->IsPlaying(nullptr, again), S_OK);
    ASSERT_EQ(performance->PlaySegment(second, 0, 0, nullptr), S_OK);
    EXPECT_FALSE(Playing(first));
    ASSERT_EQ(performance->Stop(first, nullptr, 0, 0), S_OK);  // not playing: nothing stops
    EXPECT_TRUE(Playing(second));
    Advance(500);
    ASSERT_EQ(performance->Stop(nullptr, nullptr, 0, 0), S_OK);  // whatever plays
    EXPECT_FALSE(Playing(second));
    Advance(2000);
    EXPECT_LT(RecentLevel(500), 0.0005);  // the notes were let go
}

TEST_F(DirectMusicTest, ASongIsHeardOnlyWhileDownloadedAndNotWhenMuted) {
    Ready();
    if (!HaveSoundFont()) GTEST_SKIP() << "no SoundFont: music is silent anyway";
    IDirectMusicSegment* song = Song(media::Song(40), false);
    ASSERT_EQ(performance->PlaySegment(song, 0, 0, nullptr), S_OK);
    Advance(1000);
    EXPECT_LT(RecentLevel(1000), 0.0005);
    ASSERT_EQ(song->SetParam(GUID_Download, 0xFFFFFFFF, 0, 0, performance), S_OK);
    Advance(1000);
    EXPECT_GT(RecentLevel(800), 0.01);
    ASSERT_EQ(song->SetParam(GUID_Unload, 0xFFFFFFFF, 0, 0, performance), S_OK);
    Advance(2000);
    EXPECT_LT(RecentLevel(500), 0.0005);
    EXPECT_TRUE(Playing(song));  // still running, silently
    // Muted: songs run on time, in silence, and end with their last event.
    DirectMusicSetMuted(true);
    IDirectMusicSegment* short_ = Song(media::Song(4, 250));
    ASSERT_EQ(performance->PlaySegment(short_, 0, 0, nullptr), S_OK);
    Advance(990);
    EXPECT_TRUE(Playing(short_));
    EXPECT_LT(RecentLevel(900), 0.0005);
    Advance(20);
    EXPECT_FALSE(Playing(short_));
}

TEST_F(DirectMusicTest, ASongKeepsItsTimeAcrossTempoChanges) {
    Ready();
    // Two beats at 0.25 s, then two at 1 s: 2.5 s whatever the division.
    Track t;
    t.Tempo(0, 250000).Event(0, {0x90, 60, 1}).Event(192, {0x80, 60, 0}).Tempo(0, 1000000).End(192);
    IDirectMusicSegment* song = Song(Smf(0, 96, {t}), false);  // silent: nothing rings on
    ASSERT_EQ(performance->PlaySegment(song, 0, 0, nullptr), S_OK);
    Advance(2490);
    EXPECT_TRUE(Playing(song));
    Advance(20);
    EXPECT_FALSE(Playing(song));
}

TEST_F(DirectMusicTest, MusicComesOutTheSameHoweverTheHostSlicesItsPulls) {
    // Each render starts from a fresh synthesizer, whose reverb has no past.
    auto render = [&](uint32_t sliceMs) {
        performance->CloseDown();
        DirectMusicReset();
        CoInitialize(nullptr);  // as SetUp left it
        Ready();
        IDirectMusicSegment* song = Song(media::Song(6, 150));
        if (Frames() % 2) Advance(10);  // a synthesised frame makes two: start on the same phase
        const size_t from = Frames();
        EXPECT_EQ(performance->PlaySegment(song, 0, 0, nullptr), S_OK);
        for (uint32_t ms = 0; ms < 1100; ms += sliceMs) Advance(sliceMs);
        const auto start = host.audio().begin() + static_cast<ptrdiff_t>(2 * from);
        return std::vector<int16_t>(start, start + 2 * MIXER_WANTED_RATE);
    };
    const auto coarse = render(500);  // pulls of 4096 frames and less
    const auto fine = render(7);      // pulls of 308 and 309 frames
    if (!HaveSoundFont()) GTEST_SKIP() << "no SoundFont: music is silent";
    EXPECT_GT(media::Rms(coarse, 0, MIXER_WANTED_RATE), 0.01);
    EXPECT_EQ(coarse, fine);
}

using SoundFontDeathTest = AudioStandInTest;

TEST_F(SoundFontDeathTest, AWrongSoundFontPathMeansSilentMusicSaidOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, whose synthesizer is not made yet
    EXPECT_EXIT(
        {
            setenv("GAIABLADE_SOUNDFONT", "/nonexistent/none.sf2", 1);
            CoInitialize(nullptr);
            auto* performance = Create<IDirectMusicPerformance>(CLSID_DirectMusicPerformance,
                                                                IID_IDirectMusicPerformance);
            const bool ok = performance->Init(nullptr, nullptr, window) == S_OK && MusicSynthSoundFont().empty();
            performance->Release();
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "music is silent: cannot read the SoundFont /nonexistent/none.sf2");
}

}  // namespace
