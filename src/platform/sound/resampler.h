// The band-limited interpolator that raises a sound buffer's samples to the device rate: a
// Kaiser-windowed sinc of RESAMPLER_TAPS samples, tabulated at RESAMPLER_PHASES fractions of a
// sample and interpolated linearly between two neighbouring fractions. Its pass band ends at 0.39
// of the buffer's rate, and everything from 0.52 of it up (the mirror images that a plain
// interpolation leaves above the buffer's half rate) is at least 70 dB down. Each fraction's taps
// add up to exactly 1, so a constant level comes out unchanged.
//
// Plain arithmetic over a constant table: safe under the mixer's mutex (no allocation, no locks).
#pragma once

#include <array>
#include <cstdint>

// Samples each output frame reads: RESAMPLER_TAPS / 2 - 1 before the position, the rest after.
constexpr int RESAMPLER_TAPS = 32;
// Fractions of a sample the table holds (one more row closes it at the next sample).
constexpr int RESAMPLER_PHASES = 128;

// The taps, RESAMPLER_TAPS per fraction, for fractions 0, 1/PHASES, ..., 1.
extern const std::array<float, (RESAMPLER_PHASES + 1) * RESAMPLER_TAPS> ResamplerTable;

// The value at `position` (samples, 32.32 fixed point) of unsigned 8-bit samples (128 is
// silence), scaled to -1 .. +1. Samples outside 0 .. length - 1 are silence, or, when `looping`,
// the buffer over again. `length` must be at least 1.
inline float ResamplerValue(const uint8_t* samples, uint32_t length, uint64_t position, bool looping) {
    constexpr int kBefore = RESAMPLER_TAPS / 2 - 1;
    const int64_t first = static_cast<int64_t>(position >> 32) - kBefore;
    const uint32_t fraction = static_cast<uint32_t>(position);
    const uint32_t phase = fraction >> (32 - 7);  // RESAMPLER_PHASES == 1 << 7
    static_assert(RESAMPLER_PHASES == 1 << 7);
    const float between = static_cast<float>(fraction & ((1u << 25) - 1)) * (1.0f / 33554432.0f);
    const float* a = ResamplerTable.data() + phase * RESAMPLER_TAPS;
    const float* b = a + RESAMPLER_TAPS;
    float sumA = 0.0f, sumB = 0.0f;
    if (first >= 0 && first + RESAMPLER_TAPS <= int64_t{length}) {
        // Four sums side by side, which the processor works on at once.
        const uint8_t* s = samples + first;
        float partA[4] = {}, partB[4] = {};
        for (int k = 0; k < RESAMPLER_TAPS; k += 4) {
            for (int j = 0; j < 4; ++j) {
                const float x = static_cast<float>(s[k + j]) - 128.0f;
                partA[j] += a[k + j] * x;
                partB[j] += b[k + j] * x;
            }
        }
        sumA = (partA[0] + partA[1]) + (partA[2] + partA[3]);
        sumB = (partB[0] + partB[1]) + (partB[2] + partB[3]);
    } else {
        for (int k = 0; k < RESAMPLER_TAPS; ++k) {
            int64_t i = first + k;
            if (looping) {
                i %= int64_t{length};
                if (i < 0) i += length;
            } else if (i < 0 || i >= int64_t{length}) {
                continue;
            }
            const float x = static_cast<float>(samples[i]) - 128.0f;
            sumA += a[k] * x;
            sumB += b[k] * x;
        }
    }
    return (sumA + (sumB - sumA) * between) * (1.0f / 128.0f);
}
