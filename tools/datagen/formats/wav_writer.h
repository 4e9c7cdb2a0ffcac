// Writes the game's one sound format: RIFF WAVE, PCM, 11025 Hz, 8-bit unsigned, mono, laid out by
// the formats library's WAV writer.
#pragma once

#include <vector>

#include "core/types.h"

namespace datagen {

inline constexpr int kSampleRate = 11025;

// Scales the signal so that its loudest sample reaches full scale without clipping, then
// encodes it as unsigned 8-bit samples centred on 128 (1 to 255).
Bytes EncodeWav8(const std::vector<double>& signal);

}  // namespace datagen
