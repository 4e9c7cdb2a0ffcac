// The limiter after the mix's sum: a look-ahead peak limiter that keeps every output sample at
// or under LIMITER_CEILING (-1 dBFS) without clipping. It delays the sound by
// LIMITER_DELAY_FRAMES; a peak over the ceiling lowers the gain smoothly over the frames before
// it (the look-ahead), and the gain comes back over about LIMITER_RELEASE_SECONDS after it.
// Under the ceiling it changes nothing: the gain is exactly 1 and the samples pass unchanged.
//
// Plain arithmetic on a fixed record: safe under the mixer's mutex (no allocation, no locks).
#pragma once

constexpr int LIMITER_LOOKAHEAD = 64;  // frames; a power of two
constexpr int LIMITER_DELAY_FRAMES = LIMITER_LOOKAHEAD - 1;
constexpr float LIMITER_CEILING = 0.8913f;  // -1 dBFS
constexpr float LIMITER_RELEASE_SECONDS = 0.08f;

// The limiter's memory. Gains are kept as cuts (1 - gain), so the zero state is a limiter at
// rest with silence in its delay.
struct LimiterState {
    float delayed[2][LIMITER_LOOKAHEAD] = {};  // the last frames in, by frame number modulo the look-ahead
    float wanted[LIMITER_LOOKAHEAD] = {};      // the cut each of those frames needs
    float smoothed[LIMITER_LOOKAHEAD] = {};    // the held cuts the output gain averages
    float smoothedSum = 0.0f;
    float largestCut = 0.0f;  // the largest of `wanted`
    unsigned largestAge = 0;  // frames since it came in
    float held = 0.0f;        // the cut after the release
    unsigned frame = 0;
    unsigned quietFrames = 0;  // frames since one needed a cut or the held cut was not 0
};

// Limits `frames` frames of `left` and `right` in place, at `rate` frames a second: what comes
// out is what went in LIMITER_DELAY_FRAMES frames before.
void LimiterRun(LimiterState& state, float* left, float* right, int frames, int rate);
