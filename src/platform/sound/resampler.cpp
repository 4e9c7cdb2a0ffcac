#include "platform/sound/resampler.h"

#include <cmath>
#include <numbers>

namespace {

// Where the sinc's gain is one half, as a share of the buffer's rate, and the Kaiser window's
// shape: together a pass band to 0.39 and a stop band from 0.52 at -70 dB or lower.
constexpr double kCutoff = 0.455;
constexpr double kBeta = 7.0;

// The modified Bessel function of the first kind, order 0, by its series.
double BesselI0(double x) {
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 40; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

std::array<float, (RESAMPLER_PHASES + 1) * RESAMPLER_TAPS> MakeTable() {
    std::array<float, (RESAMPLER_PHASES + 1) * RESAMPLER_TAPS> table{};
    constexpr int kBefore = RESAMPLER_TAPS / 2 - 1;
    const double half = RESAMPLER_TAPS / 2.0;
    for (int p = 0; p <= RESAMPLER_PHASES; ++p) {
        const double fraction = static_cast<double>(p) / RESAMPLER_PHASES;
        double taps[RESAMPLER_TAPS];
        double sum = 0.0;
        for (int k = 0; k < RESAMPLER_TAPS; ++k) {
            const double t = (k - kBefore) - fraction;  // from the position to the sample, in samples
            const double x = 2.0 * kCutoff * t;
            const double sinc = t == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            const double r = t / half;
            const double window = std::abs(r) >= 1.0 ? 0.0 : BesselI0(kBeta * std::sqrt(1.0 - r * r)) / BesselI0(kBeta);
            taps[k] = sinc * window;
            sum += taps[k];
        }
        for (int k = 0; k < RESAMPLER_TAPS; ++k) {
            table[static_cast<size_t>(p * RESAMPLER_TAPS + k)] = static_cast<float>(taps[k] / sum);
        }
    }
    return table;
}

}  // namespace

const std::array<float, (RESAMPLER_PHASES + 1)* RESAMPLER_TAPS> ResamplerTable = MakeTable();
