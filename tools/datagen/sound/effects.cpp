#include "sound/effects.h"

#include <cmath>
#include <numbers>

#include "game/data_files.h"

namespace datagen {
namespace {

constexpr VowelShape kAh{780, 1180, 2500}, kOh{520, 900, 2400}, kUh{420, 1100, 2300};

VowelShape Between(VowelShape a, VowelShape b, double t) {
    return {a.f1 + (b.f1 - a.f1) * t, a.f2 + (b.f2 - a.f2) * t, a.f3 + (b.f3 - a.f3) * t};
}

// A blade cutting the air: noise through a band that sweeps up and back down.
Signal SwordStrike() {
    Rng rng(301);
    Signal out(SamplesFor(0.42));
    Biquad band = Biquad::BandPass(600, 1.6);
    Biquad body = Biquad::LowPass(260, 0.9);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / kRate;
        const double sweep = std::sin(std::numbers::pi * std::min(1.0, t / 0.34));
        band.Retune(500 + 2600 * sweep * sweep, 1.6 + 2 * sweep);
        const double noise = rng.Unit() * 2 - 1;
        const double envelope = std::pow(std::sin(std::numbers::pi * std::min(1.0, t / 0.4)), 1.5);
        out[i] = (band.Step(noise) * 2.2 + body.Step(noise) * 0.8 * sweep) * envelope;
    }
    return out;
}

// Blade on blade: a bright inharmonic ring over a short scrape of noise.
Signal SwordClash() {
    Signal out = Metal(0.8, 1250, {1.0, 1.52, 2.33, 3.19, 4.41}, 0.6, 302);
    Rng rng(303);
    Biquad high = Biquad::HighPass(2500, 0.8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / kRate;
        out[i] = out[i] * AttackDecay(t, 0.001, 0.7) +
                 high.Step(rng.Unit() * 2 - 1) * 2.5 * AttackDecay(t, 0.0005, 0.03);
    }
    return out;
}

// A mocking "ha-ha-ha": three breathy syllables, each a little lower.
Signal EnemyTaunt() {
    auto pitch = [](double t) {
        return 185.0 - 30.0 * t + 12.0 * std::sin(t * 40.0) * std::exp(-std::fmod(t, 0.28) * 8);
    };
    auto vowel = [](double t) { return std::fmod(t, 0.28) < 0.05 ? kUh : kAh; };
    auto loud = [](double t) {
        const double s = std::fmod(t, 0.28);
        return t > 0.84 ? 0.0 : std::pow(std::sin(std::numbers::pi * std::min(1.0, s / 0.22)), 0.7);
    };
    return Voice(0.9, pitch, vowel, loud, 0.5, 304);
}

// An enemy's death cry: a falling "aaah-oh" that chokes off, then the body hits the ground.
Signal EnemyDeath() {
    auto pitch = [](double t) { return 90.0 + 190.0 * std::exp(-t * 2.2) + 6 * std::sin(t * 34); };
    auto vowel = [](double t) { return Between(kAh, kOh, std::min(1.0, t / 0.8)); };
    auto loud = [](double t) {
        return AttackDecay(t, 0.04, 2.5) * (t < 0.95 ? 1.0 : std::max(0.0, 1 - (t - 0.95) * 10));
    };
    Signal out = Voice(1.05, pitch, vowel, loud, 0.25, 305);
    MixInto(out, Thud(0.35, 120, 50, 306), SamplesFor(1.0), 0.3);
    return out;
}

// The game-over sting: a low brass figure falling through a minor triad onto a held chord.
Signal GameOver() {
    Signal out(SamplesFor(2.3));
    struct Tone {
        double start, length, hz;
    };
    const Tone tones[] = {
        {0.0, 0.4, 220.0}, {0.38, 0.4, 174.6}, {0.76, 1.5, 146.8}, {0.76, 1.5, 110.0}, {0.76, 1.5, 87.3}};
    for (const Tone& tone : tones) {
        Biquad mellow = Biquad::LowPass(400, 0.8);
        double phase = 0;
        for (std::size_t i = SamplesFor(tone.start); i < out.size(); ++i) {
            const double t = i / kRate - tone.start;
            if (t > tone.length + 0.3) break;
            const double env = AttackDecay(t, 0.04, 0.9) *
                               (t > tone.length ? std::exp(-(t - tone.length) / 0.08) : 1.0);
            mellow.Retune(300 + 1400 * env, 0.9);
            phase += tone.hz * (1.0 + 0.004 * std::sin(t * 30)) / kRate;
            const double saw = 2 * (phase - std::floor(phase)) - 1;
            out[i] += mellow.Step(saw) * env;
        }
    }
    MixInto(out, Thud(0.6, 90, 45, 307), 0, 0.5);
    return out;
}

// The last champion arrives: a war drum, then a deep, rolling laugh.
Signal AriesGreeting() {
    auto pitch = [](double t) { return 98.0 + 20.0 * std::exp(-std::fmod(t, 0.3) * 9) - 10 * t; };
    auto vowel = [](double t) { return std::fmod(t, 0.3) < 0.06 ? kUh : kAh; };
    auto loud = [](double t) {
        const double s = std::fmod(t, 0.3);
        const double last = t > 0.9 ? AttackDecay(t - 0.9, 0.05, 0.3) : 0.0;
        return t > 0.9 ? last : std::pow(std::sin(std::numbers::pi * std::min(1.0, s / 0.25)), 0.6);
    };
    Signal out;
    MixInto(out, Thud(0.5, 110, 55, 308), 0, 0.35);
    Signal laugh = Voice(1.55, pitch, vowel, loud, 0.6, 309);
    // A growl: the laugh roughened by a fast wobble.
    for (std::size_t i = 0; i < laugh.size(); ++i)
        laugh[i] *= 0.75 + 0.25 * std::sin(i / kRate * 2 * std::numbers::pi * 31);
    MixInto(out, laugh, SamplesFor(0.22), 1.1);
    return out;
}

// The last champion falls: a long falling roar, then armour crashing to the ground.
Signal AriesDeath() {
    auto pitch = [](double t) { return 48.0 + 110.0 * std::exp(-t * 1.4) + 5 * std::sin(t * 25); };
    auto vowel = [](double t) { return Between(kAh, kUh, std::min(1.0, t / 1.4)); };
    auto loud = [](double t) { return AttackDecay(t, 0.08, 1.6) * (t < 1.5 ? 1.0 : std::max(0.0, 1 - (t - 1.5) * 5)); };
    Signal out = Voice(1.7, pitch, vowel, loud, 0.55, 310);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] *= 0.7 + 0.3 * std::sin(i / kRate * 2 * std::numbers::pi * 27);
    MixInto(out, Thud(0.6, 100, 40, 311), SamplesFor(1.55), 0.3);
    Signal clatter = Metal(0.6, 820, {1.0, 1.7, 2.6, 3.9}, 0.12, 312);
    MixInto(out, clatter, SamplesFor(1.6), 0.12);
    MixInto(out, clatter, SamplesFor(1.78), 0.07);
    return out;
}

}  // namespace

std::vector<Effect> SynthesiseEffects() {
    std::vector<Effect> effects = {
        {EffectFiles[0], SwordStrike()}, {EffectFiles[1], SwordClash()}, {EffectFiles[2], EnemyTaunt()},
        {EffectFiles[3], EnemyDeath()},  {EffectFiles[4], GameOver()},   {EffectFiles[5], AriesGreeting()},
        {EffectFiles[6], AriesDeath()},
    };
    for (Effect& e : effects) {
        if (e.signal.size() % 2) e.signal.push_back(0.0);
        SoftenEdges(e.signal, 0.002, 0.03);
    }
    return effects;
}

}  // namespace datagen
