#include "music/songs.h"

#include <initializer_list>

#include "game/data_files.h"
#include "music/composer.h"

namespace datagen {
namespace {

// GM programs, 0-based.
enum Program : std::uint8_t {
    kTubularBells = 14,
    kChurchOrgan = 19,
    kNylonGuitar = 24,
    kViolin = 40,
    kCello = 42,
    kContrabass = 43,
    kPizzicato = 45,
    kHarp = 46,
    kTimpani = 47,
    kStrings = 48,
    kSlowStrings = 49,
    kChoir = 52,
    kTrumpet = 56,
    kTrombone = 57,
    kFrenchHorn = 60,
    kBrass = 61,
    kOboe = 68,
    kClarinet = 71,
    kFlute = 73,
    kShakuhachi = 77
};

Chord C(int root) { return {root, false, false}; }
Chord V7(int root) { return {root, true, true}; }  // dominant seventh with the raised leading note

// Bars of chords from scale-degree roots; 'D' marks a dominant chord in a minor key.
std::vector<Chord> Bars(std::initializer_list<int> roots, bool minorDominant = false) {
    std::vector<Chord> chords;
    for (int r : roots) chords.push_back(minorDominant && r == 4 ? V7(4) : C(r));
    return chords;
}

Section S(std::vector<Chord> chords, int intensity, int theme, bool melody = true) {
    return {std::move(chords), intensity, theme, melody};
}

Instrument I(const char* name, std::uint8_t program, std::uint8_t volume, std::uint8_t pan, int octave) {
    return {name, program, volume, pan, octave};
}

// The menus: a slow, heroic overture in D minor, horn over strings and harp.
SongPlan Overture() {
    SongPlan p;
    p.title = "Gaia's Blade - Overture";
    p.seed = 11;
    p.bpm = 92;
    p.key = {50, Mode::Minor};
    p.keySharps = -1;
    p.busyness = 0.35;
    const auto a = Bars({0, 5, 2, 6, 0, 5, 3, 4}, true), b = Bars({3, 0, 5, 2, 3, 0, 4, 4}, true);
    p.form = {S(Bars({0, 5, 3, 4}, true), 0, 0, false), S(a, 1, 1), S(a, 2, 1), S(b, 2, 2), S(a, 3, 1)};
    p.lead = I("French horn", kFrenchHorn, 110, 70, 1);
    p.harmony = I("Strings", kStrings, 80, 50, 1);
    p.pad = I("Strings", kSlowStrings, 90, 64, 0);
    p.bass = I("Contrabass", kContrabass, 100, 64, -1);
    p.arp = I("Harp", kHarp, 85, 84, 1);
    p.timpani = I("Timpani", kTimpani, 100, 64, -1);
    p.useTimpani = true;
    p.bassStyle = BassStyle::Roots;
    p.arpStyle = ArpStyle::Rising;
    p.drumStyle = DrumStyle::Ritual;
    return p;
}

// Landscape 1, the olive grove: a lilting dance in A dorian, flute and guitar.
SongPlan OliveGrove() {
    SongPlan p;
    p.title = "The Olive Grove";
    p.seed = 21;
    p.bpm = 126;
    p.beatsPerBar = 3;
    p.key = {57, Mode::Dorian};
    p.keySharps = 1;
    p.busyness = 0.62;
    const auto a = Bars({0, 3, 0, 6, 0, 3, 4, 0}), b = Bars({2, 6, 3, 0, 2, 6, 3, 4});
    p.form = {
        S(Bars({0, 3, 0, 3}), 0, 0, false), S(a, 1, 1), S(a, 2, 1), S(b, 2, 2), S(a, 2, 1), S(b, 3, 2), S(a, 3, 1)};
    p.lead = I("Flute", kFlute, 105, 76, 1);
    p.harmony = I("Clarinet", kClarinet, 80, 52, 1);
    p.pad = I("Strings", kSlowStrings, 70, 64, 0);
    p.bass = I("Pizzicato bass", kPizzicato, 100, 60, -1);
    p.arp = I("Guitar", kNylonGuitar, 90, 40, 0);
    p.bassStyle = BassStyle::RootFifth;
    p.arpStyle = ArpStyle::Rising;
    p.drumStyle = DrumStyle::Tambourine;
    return p;
}

// Landscape 2, the sun road: a bright march in D major, trumpets and timpani.
SongPlan SunRoad() {
    SongPlan p;
    p.title = "The Road of the Sun";
    p.seed = 31;
    p.bpm = 108;
    p.key = {50, Mode::Major};
    p.keySharps = 2;
    p.busyness = 0.55;
    const auto a = Bars({0, 4, 5, 3, 0, 3, 4, 0}), b = Bars({3, 0, 1, 4, 5, 2, 3, 4});
    p.form = {S(Bars({0, 3, 0, 4}), 0, 0, false), S(a, 1, 1), S(a, 2, 1), S(b, 2, 2), S(a, 3, 1)};
    p.lead = I("Trumpet", kTrumpet, 105, 70, 1);
    p.harmony = I("French horn", kFrenchHorn, 85, 52, 1);
    p.pad = I("Strings", kStrings, 85, 64, 0);
    p.bass = I("Contrabass", kContrabass, 100, 64, -1);
    p.arp = I("Harp", kHarp, 80, 88, 1);
    p.timpani = I("Timpani", kTimpani, 100, 64, -1);
    p.useTimpani = true;
    p.bassStyle = BassStyle::Walking;
    p.arpStyle = ArpStyle::Rolling;
    p.drumStyle = DrumStyle::March;
    return p;
}

// Landscape 3, the isle of stone: slow and uneasy in E phrygian, a lone flute over voices.
SongPlan StoneShore() {
    SongPlan p;
    p.title = "The Isle of Stone";
    p.seed = 41;
    p.bpm = 78;
    p.key = {52, Mode::Phrygian};
    p.keySharps = 0;
    p.busyness = 0.3;
    const auto a = Bars({0, 1, 0, 6, 0, 1, 3, 0}), b = Bars({3, 6, 5, 1, 3, 6, 1, 0});
    p.form = {S(Bars({0, 1, 0, 1}), 0, 0, false), S(a, 1, 1), S(b, 2, 2), S(a, 2, 1)};
    p.lead = I("Shakuhachi", kShakuhachi, 105, 70, 1);
    p.harmony = I("Oboe", kOboe, 75, 50, 1);
    p.pad = I("Choir", kChoir, 90, 64, 0);
    p.bass = I("Contrabass", kContrabass, 95, 64, -1);
    p.arp = I("Harp", kHarp, 75, 90, 1);
    p.bassStyle = BassStyle::Pedal;
    p.arpStyle = ArpStyle::Rising;
    p.drumStyle = DrumStyle::Toll;
    return p;
}

// Landscape 4, the halls below: a dark, slow procession in C minor, organ, choir and cello.
SongPlan Underworld() {
    SongPlan p;
    p.title = "The Halls Below";
    p.seed = 51;
    p.bpm = 70;
    p.key = {48, Mode::Minor};
    p.keySharps = -3;
    p.busyness = 0.25;
    const auto a = Bars({0, 5, 3, 4, 0, 3, 4, 0}, true), b = Bars({5, 3, 0, 4, 5, 6, 4, 4}, true);
    p.form = {S(Bars({0, 0, 5, 4}, true), 0, 0, false), S(a, 1, 1), S(b, 2, 2), S(a, 2, 1)};
    p.lead = I("Cello", kCello, 110, 60, 1);
    p.harmony = I("Choir", kChoir, 80, 70, 1);
    p.pad = I("Organ", kChurchOrgan, 80, 64, 0);
    p.bass = I("Contrabass", kContrabass, 105, 64, -1);
    p.arp = I("Bells", kTubularBells, 70, 90, 1);
    p.timpani = I("Timpani", kTimpani, 95, 64, -1);
    p.useTimpani = true;
    p.bassStyle = BassStyle::Pedal;
    p.arpStyle = ArpStyle::None;
    p.drumStyle = DrumStyle::Toll;
    return p;
}

// Landscape 5, the field of war: fast and driving in F minor, brass over racing strings.
SongPlan WarField() {
    SongPlan p;
    p.title = "The Field of War";
    p.seed = 61;
    p.bpm = 144;
    p.key = {53, Mode::Minor};
    p.keySharps = -4;
    p.busyness = 0.6;
    const auto a = Bars({0, 5, 6, 0, 0, 5, 3, 4}, true), b = Bars({5, 6, 0, 0, 5, 6, 4, 4}, true);
    const auto c = Bars({3, 0, 3, 0, 5, 6, 4, 4}, true);
    p.form = {
        S(Bars({0, 0, 0, 0}), 1, 0, false), S(a, 2, 1), S(a, 3, 1), S(b, 3, 2), S(c, 2, 3), S(b, 3, 2), S(a, 3, 1)};
    p.lead = I("Brass", kBrass, 110, 64, 1);
    p.harmony = I("Trombone", kTrombone, 90, 44, 0);
    p.pad = I("Strings", kStrings, 80, 64, 0);
    p.bass = I("Contrabass", kContrabass, 105, 64, -1);
    p.arp = I("Strings", kSlowStrings, 90, 84, 1);
    p.timpani = I("Timpani", kTimpani, 110, 64, -1);
    p.useTimpani = true;
    p.bassStyle = BassStyle::Gallop;
    p.arpStyle = ArpStyle::Ostinato;
    p.drumStyle = DrumStyle::Battle;
    return p;
}

// The ending: broad and warm in F major, horn and violins over choir and harp.
SongPlan Ending() {
    SongPlan p;
    p.title = "Gaia's Blade - Ending";
    p.seed = 71;
    p.bpm = 76;
    p.key = {53, Mode::Major};
    p.keySharps = -1;
    p.busyness = 0.4;
    const auto a = Bars({0, 4, 5, 2, 3, 0, 3, 4}), b = Bars({5, 3, 0, 4, 5, 3, 4, 4});
    p.form = {S(Bars({0, 3, 0, 4}), 0, 0, false), S(a, 1, 1), S(b, 2, 2), S(a, 3, 1)};
    p.lead = I("French horn", kFrenchHorn, 110, 64, 0);
    p.harmony = I("Violins", kViolin, 85, 80, 1);
    p.pad = I("Choir", kChoir, 85, 64, 0);
    p.bass = I("Contrabass", kContrabass, 100, 64, -1);
    p.arp = I("Harp", kHarp, 85, 40, 1);
    p.timpani = I("Timpani", kTimpani, 90, 64, -1);
    p.useTimpani = true;
    p.bassStyle = BassStyle::Roots;
    p.arpStyle = ArpStyle::Rolling;
    p.drumStyle = DrumStyle::None;
    return p;
}

}  // namespace

std::vector<NamedSong> ComposeSongs() {
    return {{SongFiles[0], Compose(OliveGrove())}, {SongFiles[1], Compose(SunRoad())},
            {SongFiles[2], Compose(StoneShore())}, {SongFiles[3], Compose(Underworld())},
            {SongFiles[4], Compose(WarField())},   {SongFiles[5], Compose(Overture())},
            {SongFiles[6], Compose(Ending())}};
}

}  // namespace datagen
