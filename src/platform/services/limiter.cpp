#include "platform/services/limiter.h"

#include <algorithm>
#include <cmath>

// For each frame in, the cut that brings its peak to the ceiling; the held cut is the largest of
// the last LIMITER_LOOKAHEAD frames' (so it reaches each peak's cut the moment the peak comes in),
// decaying no faster than the release. The gain applied to the frame that went in
// LIMITER_DELAY_FRAMES frames before is one minus the average of the last LIMITER_LOOKAHEAD held
// cuts, each of which is at least the cut that frame needs: the gain falls in a straight line to
// each peak and never lets one through.
void LimiterRun(LimiterState& state, float* left, float* right, int frames, int rate) {
    constexpr unsigned kMask = LIMITER_LOOKAHEAD - 1;
    static_assert((LIMITER_LOOKAHEAD & kMask) == 0);
    const float keep = rate > 0 ? std::exp(-1.0f / (LIMITER_RELEASE_SECONDS * static_cast<float>(rate))) : 0.0f;
    for (int i = 0; i < frames; ++i) {
        const unsigned at = state.frame & kMask;
        const float peak = std::max(std::abs(left[i]), std::abs(right[i]));
        state.delayed[0][at] = left[i];
        state.delayed[1][at] = right[i];
        state.wanted[at] = peak > LIMITER_CEILING ? 1.0f - LIMITER_CEILING / peak : 0.0f;
        float cut = 0.0f;
        for (float wanted : state.wanted) cut = std::max(cut, wanted);
        state.held = std::max(cut, state.held * keep);
        if (state.held < 1e-6f) state.held = 0.0f;  // back at rest, exactly
        state.smoothed[at] = state.held;
        float sum = 0.0f;  // summed afresh, so that it is exactly 0 at rest
        for (float s : state.smoothed) sum += s;
        const float gain = 1.0f - sum * (1.0f / LIMITER_LOOKAHEAD);
        const unsigned out = (state.frame + 1) & kMask;  // the frame LIMITER_DELAY_FRAMES back
        left[i] = state.delayed[0][out] * gain;
        right[i] = state.delayed[1][out] * gain;
        ++state.frame;
    }
}
