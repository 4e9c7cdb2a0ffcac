#include "sound/dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace datagen {

std::size_t SamplesFor(double seconds) {
    const auto n = static_cast<std::size_t>(std::lround(seconds * kRate));
    return n + (n % 2);
}

Biquad::Biquad(Kind kind, double hz, double q) : kind_(kind) { Retune(hz, q); }

Biquad Biquad::LowPass(double hz, double q) { return Biquad(Kind::Low, hz, q); }
Biquad Biquad::HighPass(double hz, double q) { return Biquad(Kind::High, hz, q); }
Biquad Biquad::BandPass(double hz, double q) { return Biquad(Kind::Band, hz, q); }

void Biquad::Retune(double hz, double q) {
    hz = std::clamp(hz, 20.0, kRate * 0.45);
    const double w = 2 * std::numbers::pi * hz / kRate;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    switch (kind_) {
        case Kind::Low:
            b0_ = (1 - c) / 2 / a0;
            b1_ = (1 - c) / a0;
            b2_ = b0_;
            break;
        case Kind::High:
            b0_ = (1 + c) / 2 / a0;
            b1_ = -(1 + c) / a0;
            b2_ = b0_;
            break;
        case Kind::Band:
            b0_ = alpha / a0;
            b1_ = 0;
            b2_ = -alpha / a0;
            break;
    }
    a1_ = -2 * c / a0;
    a2_ = (1 - alpha) / a0;
}

double Biquad::Step(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

double AttackDecay(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

void MixInto(Signal& mix, const Signal& source, std::size_t offset, double gain) {
    if (mix.size() < offset + source.size()) mix.resize(offset + source.size(), 0.0);
    for (std::size_t i = 0; i < source.size(); ++i) mix[offset + i] += source[i] * gain;
}

void SoftenEdges(Signal& s, double fadeIn, double fadeOut) {
    const std::size_t in = std::min(s.size(), static_cast<std::size_t>(fadeIn * kRate));
    const std::size_t out = std::min(s.size(), static_cast<std::size_t>(fadeOut * kRate));
    for (std::size_t i = 0; i < in; ++i) s[i] *= double(i) / in;
    for (std::size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= double(i) / out;
}

Signal Voice(double seconds, double (*pitch)(double), VowelShape (*formants)(double), double (*loudness)(double),
             double breath, std::uint64_t seed) {
    Rng rng(seed);
    Signal out(SamplesFor(seconds));
    VowelShape v = formants(0);
    Biquad f1 = Biquad::BandPass(v.f1, 4), f2 = Biquad::BandPass(v.f2, 5), f3 = Biquad::BandPass(v.f3, 6);
    Biquad tilt = Biquad::LowPass(2200, 0.7);
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / kRate;
        const double hz = pitch(t);
        phase += hz / kRate;
        phase -= std::floor(phase);
        // A glottal-like pulse: a sharp closing edge once per period.
        const double pulse = (phase < 0.6 ? std::sin(std::numbers::pi * phase / 0.6) : 0.0) - 0.38;
        const double source = tilt.Step(pulse + breath * (rng.Unit() * 2 - 1));
        if (i % 32 == 0) {
            v = formants(t);
            f1.Retune(v.f1, 4);
            f2.Retune(v.f2, 5);
            f3.Retune(v.f3, 6);
        }
        out[i] = (f1.Step(source) * 1.0 + f2.Step(source) * 0.6 + f3.Step(source) * 0.3) * loudness(t);
    }
    return out;
}

Signal Metal(double seconds, double baseHz, const std::vector<double>& ratios, double decay, std::uint64_t seed) {
    Rng rng(seed);
    Signal out(SamplesFor(seconds));
    for (std::size_t k = 0; k < ratios.size(); ++k) {
        const double hz = baseHz * ratios[k];
        if (hz > kRate * 0.45) continue;
        const double beat = 1.0 + rng.Range(0.002, 0.006);  // a near twin that beats against it
        const double amp = 1.0 / (1.0 + k * 0.6);
        const double tau = decay / (1.0 + k * 0.5);
        const double phase = rng.Range(0, 6.28);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = i / kRate;
            const double w = 2 * std::numbers::pi * hz * t + phase;
            out[i] += amp * std::exp(-t / tau) * (std::sin(w) + 0.5 * std::sin(w * beat));
        }
    }
    return out;
}

Signal Thud(double seconds, double startHz, double endHz, std::uint64_t seed) {
    Rng rng(seed);
    Signal out(SamplesFor(seconds));
    Biquad dark = Biquad::LowPass(300, 0.8);
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / kRate;
        const double hz = endHz + (startHz - endHz) * std::exp(-t / 0.05);
        phase += 2 * std::numbers::pi * hz / kRate;
        out[i] = std::sin(phase) * AttackDecay(t, 0.003, seconds * 0.3) +
                 dark.Step(rng.Unit() * 2 - 1) * 1.5 * AttackDecay(t, 0.002, 0.04);
    }
    return out;
}

}  // namespace datagen
