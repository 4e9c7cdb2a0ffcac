#include "music/theory.h"

namespace datagen {
namespace {

std::array<int, 7> StepsOf(Mode mode) {
    switch (mode) {
        case Mode::Major: return {0, 2, 4, 5, 7, 9, 11};
        case Mode::Minor: return {0, 2, 3, 5, 7, 8, 10};
        case Mode::Dorian: return {0, 2, 3, 5, 7, 9, 10};
        case Mode::Phrygian: return {0, 1, 3, 5, 7, 8, 10};
        case Mode::Mixolydian: return {0, 2, 4, 5, 7, 9, 10};
        case Mode::Lydian: return {0, 2, 4, 6, 7, 9, 11};
    }
    return {0, 2, 4, 5, 7, 9, 11};
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int Key::Semitones(int degree, bool leading) const {
    const int octave = FloorDiv(degree, 7);
    const int step = degree - octave * 7;
    int semis = StepsOf(mode)[step];
    if (leading && step == 6 && semis == 10) semis = 11;
    return semis + 12 * octave;
}

std::vector<int> Chord::Degrees() const {
    std::vector<int> d = {root, root + 2, root + 4};
    if (seventh) d.push_back(root + 6);
    return d;
}

bool Chord::Contains(int degree) const {
    for (int d : Degrees())
        if (((degree - d) % 7 + 7) % 7 == 0) return true;
    return false;
}

}  // namespace datagen
