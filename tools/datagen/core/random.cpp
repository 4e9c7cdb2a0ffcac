#include "core/random.h"

#include <cmath>

namespace datagen {

double HashUnit(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h *= 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x165667B1u;
    h ^= h >> 13;
    return (h & 0xFFFFFFu) / 16777216.0;
}

static double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

double ValueNoise1(double x, std::uint32_t seed) {
    const double fx = std::floor(x);
    const int ix = static_cast<int>(fx);
    const double t = Smooth(x - fx);
    const double a = HashUnit(ix, 0, seed);
    const double b = HashUnit(ix + 1, 0, seed);
    return a + (b - a) * t;
}

double ValueNoise2(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    const double a = HashUnit(ix, iy, seed), b = HashUnit(ix + 1, iy, seed);
    const double c = HashUnit(ix, iy + 1, seed), d = HashUnit(ix + 1, iy + 1, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Fractal1(double x, int octaves, std::uint32_t seed) {
    double sum = 0, weight = 1, total = 0, freq = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * ValueNoise1(x * freq, seed + 101u * i);
        total += weight;
        weight *= 0.5;
        freq *= 2.0;
    }
    return sum / total;
}

double Fractal2(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0, weight = 1, total = 0, freq = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * ValueNoise2(x * freq, y * freq, seed + 101u * i);
        total += weight;
        weight *= 0.5;
        freq *= 2.0;
    }
    return sum / total;
}

}  // namespace datagen
