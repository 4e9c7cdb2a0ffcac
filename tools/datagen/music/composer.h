// A small deterministic composer: from a plan (key, tempo, form, chords, orchestra and
// accompaniment styles) it writes a melody, a harmony voice, pads, bass, broken chords and
// percussion, as notes of a Song.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "music/song.h"
#include "music/theory.h"

namespace datagen {

enum class BassStyle { Pedal, Roots, RootFifth, Walking, Gallop };
enum class ArpStyle { None, Rising, Rolling, Stabs, Ostinato };
enum class DrumStyle { None, Tambourine, March, Ritual, Battle, Toll };

struct Instrument {
    std::string name;
    std::uint8_t program = 0;  // General MIDI program, 0-based
    std::uint8_t volume = 100;
    std::uint8_t pan = 64;
    int octave = 0;  // octaves above the key's tonic octave
};

struct Section {
    std::vector<Chord> chords;  // one per bar
    int intensity = 1;          // 0 sparse .. 3 full: which layers play, and how loud
    int theme = 0;              // sections with the same theme share their melody
    bool melody = true;
};

struct SongPlan {
    std::string title;
    std::uint64_t seed = 1;
    double bpm = 100;
    int beatsPerBar = 4;
    Key key;
    int keySharps = 0;
    double busyness = 0.5;  // 0 long melody notes .. 1 quick ones
    std::vector<Section> form;
    Instrument lead, harmony, pad, bass, arp, timpani;
    bool useTimpani = false;
    BassStyle bassStyle = BassStyle::Roots;
    ArpStyle arpStyle = ArpStyle::Rising;
    DrumStyle drumStyle = DrumStyle::None;
};

// Writes the song. The same plan always gives the same notes.
Song Compose(const SongPlan& plan);

}  // namespace datagen
