// The composer and the MIDI writer: notes in key, songs that close on their tonic chord,
// and files that encode any time and tempo faithfully.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "formats/smf_writer.h"
#include "music/composer.h"
#include "music/songs.h"
#include "pack_files.h"

using namespace datagen;

namespace {

SongPlan SmallPlan(Mode mode) {
    SongPlan p;
    p.title = "test";
    p.seed = 5;
    p.bpm = 100;
    p.key = {50, mode};
    const std::vector<Chord> bars = {{0}, {3}, {4, true, true}, {0}};
    p.form = {{bars, 1, 1, true}, {bars, 2, 1, true}, {bars, 3, 2, true}};
    p.lead = {"lead", 73, 100, 64, 1};
    p.harmony = {"harmony", 71, 90, 64, 1};
    p.pad = {"pad", 48, 90, 64, 0};
    p.bass = {"bass", 43, 100, 64, -1};
    p.arp = {"arp", 46, 90, 64, 1};
    p.timpani = {"timpani", 47, 90, 64, -1};
    p.useTimpani = true;
    p.drumStyle = DrumStyle::Battle;
    return p;
}

std::set<int> PitchClassesOf(Key key) {
    std::set<int> classes;
    for (int d = 0; d < 7; ++d) classes.insert((key.tonic + key.Semitones(d)) % 12);
    classes.insert((key.tonic + key.Semitones(6, true)) % 12);
    return classes;
}

}  // namespace

TEST(DatagenTheory, BuildsModesAndRaisesTheLeadingNoteOnlyInMinorKeys) {
    const Key dMinor{50, Mode::Minor}, cMajor{48, Mode::Major};
    EXPECT_EQ(dMinor.Semitones(2), 3);
    EXPECT_EQ(dMinor.Semitones(6), 10);
    EXPECT_EQ(dMinor.Semitones(6, true), 11);
    EXPECT_EQ(dMinor.Semitones(7), 12);
    EXPECT_EQ(dMinor.Semitones(-1), -2);
    EXPECT_EQ(cMajor.Semitones(6, true), 11) << "already a leading note";
    EXPECT_EQ(Key(52, Mode::Phrygian).Semitones(1), 1);
    EXPECT_TRUE((Chord{4}).Contains(11));
    EXPECT_TRUE((Chord{4}).Contains(-3));
    EXPECT_FALSE((Chord{4}).Contains(5));
    EXPECT_EQ((Chord{4, true}).Degrees(), (std::vector<int>{4, 6, 8, 10}));
}

TEST(DatagenComposer, KeepsEveryPitchedNoteInTheKey) {
    for (Mode mode : {Mode::Major, Mode::Minor, Mode::Dorian, Mode::Phrygian}) {
        const SongPlan plan = SmallPlan(mode);
        const std::set<int> inKey = PitchClassesOf(plan.key);
        const Song song = Compose(plan);
        for (const Part& part : song.parts) {
            if (part.channel == kDrumChannel) continue;
            for (const Note& n : part.notes)
                EXPECT_TRUE(inKey.count(n.key % 12)) << part.name << " plays " << int(n.key);
        }
    }
}

TEST(DatagenComposer, WritesTheSameSongFromTheSamePlan) {
    const Song a = Compose(SmallPlan(Mode::Minor)), b = Compose(SmallPlan(Mode::Minor));
    EXPECT_TRUE(EncodeSmf(a) == EncodeSmf(b));
    SongPlan other = SmallPlan(Mode::Minor);
    other.seed = 6;
    EXPECT_FALSE(EncodeSmf(Compose(other)) == EncodeSmf(a)) << "the seed should change the tune";
}

TEST(DatagenComposer, GivesEveryLayerOfAFullSectionSomethingToPlay) {
    const Song song = Compose(SmallPlan(Mode::Major));
    std::set<int> channels;
    for (const Part& p : song.parts)
        if (!p.notes.empty()) channels.insert(p.channel);
    EXPECT_EQ(channels, (std::set<int>{0, 1, 2, 3, 4, 5, kDrumChannel}));
}

TEST(DatagenSongs, CloseOnTheirTonicChordAndBroadenTheTempo) {
    for (const NamedSong& s : ComposeSongs()) {
        SCOPED_TRACE(s.fileName);
        std::uint32_t lastStart = 0;
        for (const Part& p : s.song.parts)
            for (const Note& n : p.notes) lastStart = std::max(lastStart, n.start);
        std::set<int> closing;
        for (const Part& p : s.song.parts)
            for (const Note& n : p.notes)
                if (n.start == lastStart && p.channel != kDrumChannel) closing.insert(n.key % 12);
        EXPECT_EQ(closing.size(), 3u) << "a triad";
        EXPECT_LT(s.song.tempi.back().bpm, s.song.tempi.front().bpm);
        for (const Part& p : s.song.parts)
            for (const Note& n : p.notes) {
                EXPECT_GE(n.key, 28);
                EXPECT_LE(n.key, 96);
                EXPECT_GT(n.velocity, 0);
            }
    }
}

TEST(DatagenSmfWriter, EncodesLongDelaysAndTempoExactly) {
    Song song;
    song.title = "delays";
    song.tempi = {{0, 125.0}};
    Part part;
    part.name = "p";
    part.notes = {{0, 10, 60, 100}, {1u << 21, 480, 62, 100}};  // needs a four-byte delta
    song.parts.push_back(part);
    const packtest::MidiFile midi = packtest::ParseMidi(EncodeSmf(song));
    ASSERT_EQ(midi.tracks.size(), 2u);
    std::uint32_t onAt = 0;
    for (const auto& e : midi.tracks[1].events)
        if ((e.status & 0xF0) == 0x90 && e.data[0] == 62) onAt = e.tick;
    EXPECT_EQ(onAt, 1u << 21);
    bool tempoSeen = false;
    for (const auto& e : midi.tracks[0].events)
        if (e.status == 0xFF && e.metaType == 0x51) {
            tempoSeen = true;
            EXPECT_EQ((e.data[0] << 16) | (e.data[1] << 8) | e.data[2], 480000);
        }
    EXPECT_TRUE(tempoSeen);
}
