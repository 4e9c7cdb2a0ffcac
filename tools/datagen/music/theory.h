// Scales, chords and pitches for the composer.
#pragma once

#include <array>
#include <vector>

namespace datagen {

enum class Mode { Major, Minor, Dorian, Phrygian, Mixolydian, Lydian };

// A key: tonic as a MIDI note (in the octave of middle C or below) and a mode.
struct Key {
    int tonic = 60;
    Mode mode = Mode::Major;

    // Semitones above the tonic of scale degree d (any integer; 7 is the octave). In the
    // minor modes, `leading` raises the seventh degree, as a dominant chord wants.
    int Semitones(int degree, bool leading = false) const;
    int Pitch(int degree, int octave, bool leading = false) const {
        return tonic + 12 * octave + Semitones(degree, leading);
    }
};

// A chord named by the scale degree of its root (0 = tonic), stacked in thirds of the scale.
struct Chord {
    int root = 0;
    bool seventh = false;
    bool leading = false;  // raise the seventh degree (dominant in minor)

    std::vector<int> Degrees() const;  // 3 or 4 scale degrees, root first
    bool Contains(int degree) const;   // any octave
};

}  // namespace datagen
