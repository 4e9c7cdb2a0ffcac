// Small signal-processing kit for synthesising the effects at 11025 samples per second.
#pragma once

#include <cstdint>
#include <vector>

#include "core/random.h"

namespace datagen {

using Signal = std::vector<double>;

inline constexpr double kRate = 11025.0;

// Number of samples in a duration, rounded to an even count (no RIFF padding byte).
std::size_t SamplesFor(double seconds);

// A second-order filter in the common "biquad" form.
class Biquad {
public:
    static Biquad LowPass(double hz, double q);
    static Biquad HighPass(double hz, double q);
    static Biquad BandPass(double hz, double q);  // unity gain at the centre

    double Step(double x);
    // Moves the centre or corner without resetting the filter's memory.
    void Retune(double hz, double q);

private:
    enum class Kind { Low, High, Band };
    Biquad(Kind kind, double hz, double q);

    Kind kind_;
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Rises over `attack` seconds, then falls exponentially with the given time constant.
double AttackDecay(double t, double attack, double decay);

// Adds `source` into `mix` starting at sample `offset`, scaled by `gain`.
void MixInto(Signal& mix, const Signal& source, std::size_t offset, double gain);

// Short fades at both ends so the sound starts and stops without a click.
void SoftenEdges(Signal& s, double fadeIn, double fadeOut);

// A voice: pulses at a pitch that follows `pitch(t)`, shaped by three formant filters whose
// centres follow `formants(t)`, with `breath` of noise mixed into the source.
struct VowelShape {
    double f1, f2, f3;
};
Signal Voice(double seconds, double (*pitch)(double), VowelShape (*formants)(double), double (*loudness)(double),
             double breath, std::uint64_t seed);

// A struck metal body: decaying inharmonic partials of a base frequency.
Signal Metal(double seconds, double baseHz, const std::vector<double>& ratios, double decay, std::uint64_t seed);

// A low thump: a falling sine under a burst of dark noise.
Signal Thud(double seconds, double startHz, double endHz, std::uint64_t seed);

}  // namespace datagen
