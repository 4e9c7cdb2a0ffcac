#include "music/composer.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/random.h"

namespace datagen {
namespace {

constexpr std::uint32_t kBeat = kTicksPerBeat;

struct Layout {
    std::uint32_t barTicks;
    std::vector<std::uint32_t> sectionStart;  // tick of each section's first bar
    std::uint32_t end;                        // tick where the closing chord starts
};

Layout Measure(const SongPlan& plan) {
    Layout l{static_cast<std::uint32_t>(plan.beatsPerBar) * kBeat, {}, 0};
    std::uint32_t t = 0;
    for (const Section& s : plan.form) {
        l.sectionStart.push_back(t);
        t += static_cast<std::uint32_t>(s.chords.size()) * l.barTicks;
    }
    l.end = t;
    return l;
}

std::uint8_t Velocity(int base, Rng& rng) {
    return static_cast<std::uint8_t>(std::clamp(base + rng.Int(-4, 4), 1, 127));
}

void Add(Part& part, std::uint32_t start, std::uint32_t length, int key, int velocity) {
    part.notes.push_back({start, std::max<std::uint32_t>(length, 1), static_cast<std::uint8_t>(std::clamp(key, 0, 127)),
                          static_cast<std::uint8_t>(std::clamp(velocity, 1, 127))});
}

// ---- Melody ----------------------------------------------------------------------------

struct MelodyNote {
    double beat;    // from the start of the section
    double length;  // beats
    int degree;
};

// Rhythm cells for one bar, in beats; busier songs draw from further down the list.
std::vector<std::vector<double>> CellsFor(int beatsPerBar) {
    if (beatsPerBar == 3) return {{3}, {2, 1}, {1, 2}, {1.5, 0.5, 1}, {1, 1, 1}, {1, 0.5, 0.5, 1}, {0.5, 0.5, 1, 1}};
    return {{4}, {2, 2}, {3, 1}, {2, 1, 1}, {1, 1, 2}, {1.5, 0.5, 2}, {1, 1, 1, 1}, {1.5, 0.5, 1, 1}, {1, 0.5, 0.5, 2}};
}

std::vector<double> PickCell(const SongPlan& plan, Rng& rng) {
    const auto cells = CellsFor(plan.beatsPerBar);
    const int n = static_cast<int>(cells.size());
    const int centre = static_cast<int>(std::lround(plan.busyness * (n - 1)));
    return cells[std::clamp(centre + rng.Int(-2, 2), 1, n - 1)];
}

int StepFrom(Rng& rng) {
    static const int kSteps[] = {-2, -1, -1, -1, 0, 1, 1, 1, 2, 2, 3, -3, 4, -4};
    return kSteps[rng.Int(0, 13)];
}

// Moves to the chord tone nearest to `degree`, preferring the direction of travel.
int NearestChordTone(const Chord& chord, int degree, int direction) {
    for (int d = 0; d < 4; ++d) {
        const int first = direction >= 0 ? degree + d : degree - d;
        const int second = direction >= 0 ? degree - d : degree + d;
        if (chord.Contains(first)) return first;
        if (chord.Contains(second)) return second;
    }
    return degree;
}

// One theme: a two-bar motif of rhythm and melodic steps, developed over the section.
struct Motif {
    std::vector<double> rhythm;  // lengths over two bars
    std::vector<int> steps;
};

Motif MakeMotif(const SongPlan& plan, int theme) {
    Rng rng(plan.seed * 1000003ull + static_cast<std::uint64_t>(theme) * 7919ull);
    Motif m;
    for (int bar = 0; bar < 2; ++bar)
        for (double len : PickCell(plan, rng)) m.rhythm.push_back(len);
    for (std::size_t i = 0; i < m.rhythm.size(); ++i) m.steps.push_back(StepFrom(rng));
    return m;
}

// The rhythm of one two-bar statement; a closing statement keeps the motif's first bar and
// then holds one long note to the end of the section.
std::vector<double> StatementRhythm(const Motif& motif, bool closing, double beats, int beatsPerBar) {
    if (!closing) return motif.rhythm;
    std::vector<double> rhythm;
    double used = 0;
    for (double len : motif.rhythm) {
        if (used + len > beatsPerBar + 0.01) break;
        rhythm.push_back(len);
        used += len;
    }
    if (beats - used > 0.01) rhythm.push_back(beats - used);
    return rhythm;
}

std::vector<MelodyNote> WriteMelody(const SongPlan& plan, const Section& section) {
    const Motif motif = MakeMotif(plan, section.theme);
    const int bars = static_cast<int>(section.chords.size());
    const double sectionBeats = bars * plan.beatsPerBar;
    std::vector<MelodyNote> notes;
    int degree = NearestChordTone(section.chords[0], 4, 1);
    for (int pair = 0; pair * 2 < bars; ++pair) {
        const double pairStart = pair * 2.0 * plan.beatsPerBar;
        const bool closing = pair * 2 + 2 >= bars;
        // Every second statement answers the first: the same rhythm, the contour turned over.
        const int sign = (pair % 2 == 1) ? -1 : 1;
        const std::vector<double> rhythm = StatementRhythm(motif, closing, sectionBeats - pairStart, plan.beatsPerBar);
        double beat = pairStart;
        for (std::size_t i = 0; i < rhythm.size() && beat < sectionBeats - 0.01; ++i) {
            const int bar = std::min(bars - 1, static_cast<int>(beat / plan.beatsPerBar));
            const Chord& chord = section.chords[bar];
            const double inBar = std::fmod(beat, plan.beatsPerBar);
            const bool strong = inBar < 0.01 || (plan.beatsPerBar == 4 && std::fabs(inBar - 2) < 0.01);
            const int step = motif.steps[i % motif.steps.size()];
            int target = degree + sign * step;
            if (target > 11 || target < -1) target = degree - sign * step;
            degree = strong ? NearestChordTone(chord, target, target - degree) : target;
            const bool last = closing && i + 1 == rhythm.size();
            if (last) degree = NearestChordTone(chord, degree, 0);
            notes.push_back({beat, std::min(rhythm[i], sectionBeats - beat), degree});
            beat += rhythm[i];
        }
    }
    return notes;
}

// ---- Parts -----------------------------------------------------------------------------

Part MakePart(const Instrument& inst, std::uint8_t channel) {
    Part p;
    p.name = inst.name;
    p.channel = channel;
    p.program = inst.program;
    p.volume = inst.volume;
    p.pan = inst.pan;
    p.reverb = 60;
    return p;
}

void WriteLead(const SongPlan& plan, const Layout& l, Part& lead, Part& harmony, Rng& rng) {
    for (std::size_t s = 0; s < plan.form.size(); ++s) {
        const Section& section = plan.form[s];
        if (!section.melody || section.intensity == 0) continue;
        for (const MelodyNote& n : WriteMelody(plan, section)) {
            const std::uint32_t start = l.sectionStart[s] + static_cast<std::uint32_t>(n.beat * kBeat);
            const std::uint32_t length = static_cast<std::uint32_t>(n.length * kBeat * 0.92);
            const int bar = std::min<int>(section.chords.size() - 1, static_cast<int>(n.beat / plan.beatsPerBar));
            const bool leading = section.chords[bar].leading;
            const bool accent = std::fmod(n.beat, plan.beatsPerBar) < 0.01;
            const int vel = 62 + section.intensity * 10 + (accent ? 8 : 0);
            Add(lead, start, length, plan.key.Pitch(n.degree, plan.lead.octave, leading), Velocity(vel, rng));
            if (section.intensity >= 2)
                Add(harmony, start, length, plan.key.Pitch(n.degree - 2, plan.harmony.octave, leading),
                    Velocity(vel - 12, rng));
        }
    }
}

// Chord tones placed in a fixed window, so that neighbouring chords share or move by step.
std::vector<int> Voicing(const SongPlan& plan, const Chord& chord, int octave) {
    const int low = plan.key.tonic + 12 * octave - 3;
    std::vector<int> pitches;
    for (int d : chord.Degrees())
        for (int o = -2; o <= 2; ++o) {
            const int p = plan.key.Pitch(d, octave + o, chord.leading);
            if (p >= low && p < low + 12) pitches.push_back(p);
        }
    std::sort(pitches.begin(), pitches.end());
    return pitches;
}

void WritePad(const SongPlan& plan, const Layout& l, Part& pad, Rng& rng) {
    for (std::size_t s = 0; s < plan.form.size(); ++s)
        for (std::size_t b = 0; b < plan.form[s].chords.size(); ++b) {
            const std::uint32_t start = l.sectionStart[s] + static_cast<std::uint32_t>(b) * l.barTicks;
            for (int p : Voicing(plan, plan.form[s].chords[b], plan.pad.octave))
                Add(pad, start, l.barTicks - 20, p, Velocity(48 + plan.form[s].intensity * 8, rng));
        }
}

void WriteBassBar(const SongPlan& plan, const Chord& chord, const Chord& next, std::uint32_t start, std::uint32_t bar,
                  int vel, Part& bass, Rng& rng) {
    const int o = plan.bass.octave;
    const int root = plan.key.Pitch(chord.root, o, chord.leading);
    const int fifth = plan.key.Pitch(chord.root + 4, o, chord.leading);
    const std::uint32_t beats = static_cast<std::uint32_t>(plan.beatsPerBar);
    switch (plan.bassStyle) {
        case BassStyle::Pedal: Add(bass, start, bar - 20, root, Velocity(vel, rng)); break;
        case BassStyle::Roots:
            Add(bass, start, bar / 2 - 20, root, Velocity(vel, rng));
            Add(bass, start + bar / 2, bar / 2 - 20, root, Velocity(vel - 10, rng));
            break;
        case BassStyle::RootFifth:
            Add(bass, start, kBeat - 30, root, Velocity(vel, rng));
            for (std::uint32_t b = 1; b < beats; ++b)
                Add(bass, start + b * kBeat, kBeat - 60, b % 2 ? fifth : root, Velocity(vel - 14, rng));
            break;
        case BassStyle::Walking: {
            const int target = plan.key.Pitch(next.root, o, next.leading);
            const int line[4] = {root, plan.key.Pitch(chord.root + 2, o, chord.leading), fifth,
                                 target + (target > fifth ? -1 : 1)};
            for (std::uint32_t b = 0; b < beats; ++b)
                Add(bass, start + b * kBeat, kBeat - 40, line[b % 4], Velocity(vel - (b ? 8 : 0), rng));
            break;
        }
        case BassStyle::Gallop:
            for (std::uint32_t e = 0; e < beats * 2; ++e)
                Add(bass, start + e * kBeat / 2, kBeat / 2 - 30, e == beats ? root + 12 : root,
                    Velocity(vel - (e % 2 ? 16 : 0), rng));
            break;
    }
}

void WriteBass(const SongPlan& plan, const Layout& l, Part& bass, Rng& rng) {
    for (std::size_t s = 0; s < plan.form.size(); ++s) {
        const auto& chords = plan.form[s].chords;
        for (std::size_t b = 0; b < chords.size(); ++b) {
            const Chord& next = b + 1 < chords.size() ? chords[b + 1] : Chord{0};
            WriteBassBar(plan, chords[b], next, l.sectionStart[s] + static_cast<std::uint32_t>(b) * l.barTicks,
                         l.barTicks, 64 + plan.form[s].intensity * 10, bass, rng);
        }
    }
}

void WriteArpBar(const SongPlan& plan, const Chord& chord, std::uint32_t start, int vel, Part& arp, Rng& rng) {
    std::vector<int> tones = Voicing(plan, chord, plan.arp.octave);
    const std::vector<int> upper = Voicing(plan, chord, plan.arp.octave + 1);
    tones.insert(tones.end(), upper.begin(), upper.end());
    const std::uint32_t beats = static_cast<std::uint32_t>(plan.beatsPerBar);
    switch (plan.arpStyle) {
        case ArpStyle::None: break;
        case ArpStyle::Rising:
            for (std::uint32_t e = 0; e < beats * 2; ++e)
                Add(arp, start + e * kBeat / 2, kBeat, tones[e % tones.size()], Velocity(vel - (e % 2 ? 10 : 0), rng));
            break;
        case ArpStyle::Rolling:
            for (std::uint32_t e = 0; e < beats * 4; ++e) {
                const std::size_t n = tones.size(), k = e % (2 * n - 2);
                Add(arp, start + e * kBeat / 4, kBeat / 2, tones[k < n ? k : 2 * n - 2 - k],
                    Velocity(vel - (e % 4 ? 12 : 0), rng));
            }
            break;
        case ArpStyle::Stabs:
            for (std::uint32_t b = 1; b < beats; ++b)
                for (std::size_t i = 0; i < 3 && i < tones.size(); ++i)
                    Add(arp, start + b * kBeat, kBeat / 3, tones[i], Velocity(vel - 8, rng));
            break;
        case ArpStyle::Ostinato:
            for (std::uint32_t e = 0; e < beats * 4; ++e)
                Add(arp, start + e * kBeat / 4, kBeat / 4 - 20, e % 4 == 2 ? tones[2 % tones.size()] : tones[0],
                    Velocity(vel - (e % 4 ? 14 : 0), rng));
            break;
    }
}

void WriteArp(const SongPlan& plan, const Layout& l, Part& arp, Rng& rng) {
    for (std::size_t s = 0; s < plan.form.size(); ++s) {
        if (plan.form[s].intensity < 1) continue;
        for (std::size_t b = 0; b < plan.form[s].chords.size(); ++b)
            WriteArpBar(plan, plan.form[s].chords[b], l.sectionStart[s] + static_cast<std::uint32_t>(b) * l.barTicks,
                        54 + plan.form[s].intensity * 8, arp, rng);
    }
}

void WriteTimpani(const SongPlan& plan, const Layout& l, Part& timpani, Rng& rng) {
    for (std::size_t s = 0; s < plan.form.size(); ++s) {
        if (plan.form[s].intensity < 2) continue;
        for (std::size_t b = 0; b < plan.form[s].chords.size(); ++b) {
            const Chord& c = plan.form[s].chords[b];
            const std::uint32_t start = l.sectionStart[s] + static_cast<std::uint32_t>(b) * l.barTicks;
            const int root = plan.key.Pitch(c.root % 7 > 4 ? c.root - 7 : c.root, plan.timpani.octave, c.leading);
            Add(timpani, start, kBeat, root, Velocity(70 + plan.form[s].intensity * 8, rng));
            if (b % 2 == 1) Add(timpani, start + l.barTicks - kBeat / 2, kBeat / 2, root, Velocity(60, rng));
        }
    }
}

// ---- Percussion (General MIDI drum keys) -----------------------------------------------

enum DrumKey {
    kKick = 36,
    kSnare = 38,
    kClosedHat = 42,
    kOpenHat = 46,
    kLowTom = 45,
    kFloorTom = 41,
    kHighTom = 50,
    kCrash = 49,
    kTambourine = 54,
    kChina = 52,
    kRide = 51
};

void Hit(Part& drums, std::uint32_t at, int key, int vel, Rng& rng) {
    Add(drums, at, kBeat / 4, key, Velocity(vel, rng));
}

void WriteDrumBar(const SongPlan& plan, std::uint32_t start, bool firstOfSection, bool lastOfSection, int intensity,
                  Part& drums, Rng& rng) {
    const std::uint32_t beats = static_cast<std::uint32_t>(plan.beatsPerBar), half = kBeat / 2;
    const int v = 60 + intensity * 10;
    switch (plan.drumStyle) {
        case DrumStyle::None: return;
        case DrumStyle::Tambourine:
            for (std::uint32_t b = 1; b < beats; ++b) Hit(drums, start + b * kBeat, kTambourine, v - 20, rng);
            break;
        case DrumStyle::March:
            Hit(drums, start, kKick, v, rng);
            if (beats == 4) Hit(drums, start + 2 * kBeat, kKick, v - 6, rng);
            for (std::uint32_t b = 0; b < beats; ++b) {
                Hit(drums, start + b * kBeat, kSnare, b == 0 ? v : v - 16, rng);
                if (b % 2 == 1) Hit(drums, start + b * kBeat + half, kSnare, v - 22, rng);
            }
            break;
        case DrumStyle::Ritual:
            Hit(drums, start, kLowTom, v - 4, rng);
            Hit(drums, start + (beats - 1) * kBeat + half, kFloorTom, v - 14, rng);
            if (beats == 4) Hit(drums, start + 2 * kBeat, kFloorTom, v - 10, rng);
            break;
        case DrumStyle::Battle:
            Hit(drums, start, kKick, v + 6, rng);
            Hit(drums, start + half, kKick, v - 8, rng);
            Hit(drums, start + 2 * kBeat, kKick, v, rng);
            Hit(drums, start + kBeat, kSnare, v, rng);
            Hit(drums, start + 3 * kBeat, kSnare, v, rng);
            for (std::uint32_t e = 0; e < 8; ++e) Hit(drums, start + e * half, e % 2 ? kClosedHat : kRide, v - 24, rng);
            if (lastOfSection)
                for (std::uint32_t e = 0; e < 4; ++e)
                    Hit(drums, start + 3 * kBeat + e * kBeat / 4, e < 2 ? kHighTom : kLowTom, v, rng);
            break;
        case DrumStyle::Toll: Hit(drums, start, kFloorTom, v - 10, rng); break;
    }
    if (firstOfSection && intensity >= 2 && plan.drumStyle != DrumStyle::Toll) Hit(drums, start, kCrash, v - 4, rng);
    if (firstOfSection && plan.drumStyle == DrumStyle::Toll) Hit(drums, start, kChina, v - 20, rng);
    (void)kOpenHat;
}

void WriteDrums(const SongPlan& plan, const Layout& l, Part& drums, Rng& rng) {
    for (std::size_t s = 0; s < plan.form.size(); ++s) {
        const int intensity = plan.form[s].intensity;
        const bool quietStyle = plan.drumStyle == DrumStyle::Toll || plan.drumStyle == DrumStyle::Ritual;
        if (intensity < (quietStyle ? 1 : 2)) continue;
        const std::size_t bars = plan.form[s].chords.size();
        for (std::size_t b = 0; b < bars; ++b)
            WriteDrumBar(plan, l.sectionStart[s] + static_cast<std::uint32_t>(b) * l.barTicks, b == 0, b + 1 == bars,
                         intensity, drums, rng);
    }
}

// ---- Ending ----------------------------------------------------------------------------

// Every pitched part closes on the tonic chord, held for two bars, and the tempo broadens.
void WriteClose(const SongPlan& plan, const Layout& l, Song& song) {
    const std::uint32_t hold = 2 * l.barTicks;
    const Chord tonic{0};
    for (Part& part : song.parts) {
        if (part.channel == kDrumChannel) {
            part.notes.push_back({l.end, kBeat, kCrash, 80});
            continue;
        }
        const Instrument* inst = part.channel == 0   ? &plan.lead
                                 : part.channel == 1 ? &plan.harmony
                                 : part.channel == 2 ? &plan.pad
                                 : part.channel == 3 ? &plan.bass
                                 : part.channel == 4 ? &plan.arp
                                                     : &plan.timpani;
        if (part.channel == 0 || part.channel == 3 || part.channel == 5)
            part.notes.push_back({l.end, hold, static_cast<std::uint8_t>(plan.key.Pitch(0, inst->octave)), 80});
        else
            for (int p : Voicing(plan, tonic, inst->octave))
                part.notes.push_back({l.end, hold, static_cast<std::uint8_t>(p), 70});
    }
    song.tempi = {{0, plan.bpm}};
    const std::uint32_t slowFrom = l.end - l.barTicks;
    for (int step = 0; step < 8; ++step)
        song.tempi.push_back({slowFrom + step * l.barTicks / 4, plan.bpm * (1.0 - 0.045 * (step + 1))});
}

// A part must not start a key again while it still sounds: cut the earlier note short.
void SeparateRepeats(Part& part) {
    std::stable_sort(part.notes.begin(), part.notes.end(),
                     [](const Note& a, const Note& b) { return a.start < b.start; });
    std::map<int, std::size_t> lastOf;
    for (std::size_t i = 0; i < part.notes.size(); ++i) {
        auto it = lastOf.find(part.notes[i].key);
        if (it != lastOf.end()) {
            Note& earlier = part.notes[it->second];
            if (earlier.start + earlier.length > part.notes[i].start)
                earlier.length = std::max<std::uint32_t>(1, part.notes[i].start - earlier.start);
            if (earlier.start == part.notes[i].start) earlier.length = 0;
        }
        lastOf[part.notes[i].key] = i;
    }
    std::erase_if(part.notes, [](const Note& n) { return n.length == 0; });
}

}  // namespace

Song Compose(const SongPlan& plan) {
    const Layout layout = Measure(plan);
    Rng rng(plan.seed);
    Song song;
    song.title = plan.title;
    song.beatsPerBar = plan.beatsPerBar;
    song.keySharps = plan.keySharps;
    song.minorKey = plan.key.mode != Mode::Major && plan.key.mode != Mode::Mixolydian && plan.key.mode != Mode::Lydian;
    Part lead = MakePart(plan.lead, 0), harmony = MakePart(plan.harmony, 1), pad = MakePart(plan.pad, 2);
    Part bass = MakePart(plan.bass, 3), arp = MakePart(plan.arp, 4), timpani = MakePart(plan.timpani, 5);
    Part drums = MakePart({"Percussion", 0, 100, 64, 0}, kDrumChannel);
    WriteLead(plan, layout, lead, harmony, rng);
    WritePad(plan, layout, pad, rng);
    WriteBass(plan, layout, bass, rng);
    if (plan.arpStyle != ArpStyle::None) WriteArp(plan, layout, arp, rng);
    if (plan.useTimpani) WriteTimpani(plan, layout, timpani, rng);
    WriteDrums(plan, layout, drums, rng);
    for (Part* p : {&lead, &harmony, &pad, &bass, &arp, &timpani, &drums})
        if (!p->notes.empty()) song.parts.push_back(std::move(*p));
    WriteClose(plan, layout, song);
    for (Part& p : song.parts) SeparateRepeats(p);
    return song;
}

}  // namespace datagen
