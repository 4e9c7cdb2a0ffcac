// Deterministic randomness: the same seed gives the same data pack on every machine.
#pragma once

#include <cstdint>

namespace datagen {

// SplitMix64: tiny, fast and fully specified, so results never depend on the standard library.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
    // Uniform integer in [lo, hi], both included.
    int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }
    bool Chance(double p) { return Unit() < p; }

private:
    std::uint64_t state_;
};

// Hash of integer lattice coordinates to [0, 1); the basis of the value noise below.
double HashUnit(int x, int y, std::uint32_t seed);

// Smooth value noise in [0, 1): one dimension (ridge lines) and two (textures, clouds).
double ValueNoise1(double x, std::uint32_t seed);
double ValueNoise2(double x, double y, std::uint32_t seed);

// Sums of octaves of value noise, normalised to [0, 1).
double Fractal1(double x, int octaves, std::uint32_t seed);
double Fractal2(double x, double y, int octaves, std::uint32_t seed);

}  // namespace datagen
