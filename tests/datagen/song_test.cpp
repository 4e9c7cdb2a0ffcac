// The songs: well-formed Standard MIDI Files of the right length and of distinct character.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "music/loudness.h"
#include "pack_files.h"

using namespace packtest;

namespace {

double FirstTempo(const MidiFile& m) {
    for (const MidiEvent& e : m.tracks[0].events)
        if (e.status == 0xFF && e.metaType == 0x51) return 60e6 / ((e.data[0] << 16) | (e.data[1] << 8) | e.data[2]);
    return 120;
}

}  // namespace

TEST(PackSongs, AreFormatOneFilesWithExactTrackChunks) {
    for (const std::string& name : SongNames()) {
        SCOPED_TRACE(name);
        const MidiFile m = ParseMidi(ReadFile(DataPath(name)));
        EXPECT_EQ(m.format, 1);
        EXPECT_EQ(m.trackCount, static_cast<int>(m.tracks.size()));
        EXPECT_GE(m.tracks.size(), 5u) << "a conductor track and several instruments";
        EXPECT_GT(m.division, 0);
        EXPECT_LT(m.division, 0x8000) << "ticks per quarter note, not SMPTE time";
        for (const MidiTrack& t : m.tracks) {
            ASSERT_FALSE(t.events.empty());
            EXPECT_EQ(t.events.back().status, 0xFF);
            EXPECT_EQ(t.events.back().metaType, 0x2F);
        }
    }
}

TEST(PackSongs, PlayEveryNoteTheyStartAndSetAProgramOnEveryInstrument) {
    for (const std::string& name : SongNames()) {
        SCOPED_TRACE(name);
        const MidiFile m = ParseMidi(ReadFile(DataPath(name)));
        std::set<int> channelsWithNotes, channelsWithPrograms;
        for (const MidiTrack& t : m.tracks) {
            std::map<std::pair<int, int>, int> sounding;
            for (const MidiEvent& e : t.events) {
                const int kind = e.status & 0xF0, ch = e.status & 0x0F;
                if (kind == 0xC0) channelsWithPrograms.insert(ch);
                if (kind == 0x90 && e.data[1] > 0) {
                    const std::pair<int, int> key(ch, e.data[0]);
                    EXPECT_EQ(sounding[key]++, 0) << "key " << int(e.data[0]) << " struck while sounding";
                    channelsWithNotes.insert(ch);
                } else if (kind == 0x80 || (kind == 0x90 && e.data[1] == 0)) {
                    const std::pair<int, int> key(ch, e.data[0]);
                    EXPECT_EQ(sounding[key]--, 1) << "key " << int(e.data[0]) << " released while silent";
                }
            }
            for (const auto& [key, count] : sounding) {
                EXPECT_EQ(count, 0) << "key " << key.second << " never released";
            }
        }
        for (int ch : channelsWithNotes) {
            if (ch != 9) {
                EXPECT_TRUE(channelsWithPrograms.count(ch)) << "channel " << ch << " has no program";
            }
        }
    }
}

TEST(PackSongs, LastBetweenThreeQuartersOfAMinuteAndTwoMinutes) {
    for (const std::string& name : SongNames()) {
        const double seconds = MidiSeconds(ParseMidi(ReadFile(DataPath(name))));
        EXPECT_GE(seconds, 45.0) << name;
        EXPECT_LE(seconds, 120.0) << name;
    }
}

TEST(PackSongs, DifferInTempoAndInstruments) {
    std::set<int> tempi;
    std::set<std::set<int>> orchestras;
    for (const std::string& name : SongNames()) {
        const MidiFile m = ParseMidi(ReadFile(DataPath(name)));
        tempi.insert(static_cast<int>(FirstTempo(m)));
        std::set<int> programs;
        for (const MidiTrack& t : m.tracks)
            for (const MidiEvent& e : t.events)
                if ((e.status & 0xF0) == 0xC0) programs.insert(e.data[0]);
        orchestras.insert(programs);
    }
    EXPECT_GE(tempi.size(), 6u);
    EXPECT_EQ(orchestras.size(), SongNames().size());
}

// Played with the SoundFont they were levelled with, as the game plays them, every song of the
// pack comes within 2 dB of every other and of the target.
TEST(PackSongs, SoundEquallyLoud) {
    double quietest = 0.0, loudest = -100.0;
    for (const std::string& name : SongNames()) {
        const std::optional<double> loudness = datagen::SongLoudness(ReadFile(DataPath(name)),
                                                                     datagen::kLevellingSoundFont);
        ASSERT_TRUE(loudness) << name << " with " << datagen::kLevellingSoundFont;
        EXPECT_NEAR(*loudness, datagen::kSongLoudnessTarget, 1.0) << name;
        quietest = std::min(quietest, *loudness);
        loudest = std::max(loudest, *loudness);
    }
    EXPECT_LE(loudest - quietest, 2.0);
}
