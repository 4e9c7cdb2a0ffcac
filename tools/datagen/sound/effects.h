// The seven sound effects, synthesised from scratch.
#pragma once

#include <string>
#include <vector>

#include "sound/dsp.h"

namespace datagen {

struct Effect {
    std::string fileName;
    Signal signal;  // at 11025 samples per second, any scale: the writer normalises the peak
};

// All seven, in the order the game loads them, named by the game's table (EffectFiles).
std::vector<Effect> SynthesiseEffects();

}  // namespace datagen
