#include "platform/sound/limiter.h"

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
        const unsigned out = (state.frame + 1) & kMask;  // the frame LIMITER_DELAY_FRAMES back
        if (state.wanted[at] == 0.0f && state.quietFrames >= 2 * LIMITER_LOOKAHEAD) {
            // At rest: every cut in both rings is 0, so the gain is exactly 1.
            state.smoothed[at] = 0.0f;
            state.smoothedSum = 0.0f;
            left[i] = state.delayed[0][out];
            right[i] = state.delayed[1][out];
            ++state.frame;
            continue;
        }
        // The largest cut of the ring, held with its age; looked for again only when it leaves.
        if (state.wanted[at] >= state.largestCut) {
            state.largestCut = state.wanted[at];
            state.largestAge = 0;
        } else if (++state.largestAge >= LIMITER_LOOKAHEAD) {
            state.largestCut = 0.0f;
            for (unsigned k = 0; k < LIMITER_LOOKAHEAD; ++k) {
                const unsigned age = (at - k) & kMask;
                if (state.wanted[age] > state.largestCut) {
                    state.largestCut = state.wanted[age];
                    state.largestAge = k;
                }
            }
        }
        state.held = std::max(state.largestCut, state.held * keep);
        if (state.held < 1e-6f) state.held = 0.0f;  // back at rest, exactly
        state.quietFrames = state.held == 0.0f && state.wanted[at] == 0.0f ? state.quietFrames + 1 : 0;
        state.smoothedSum += state.held - state.smoothed[at];
        state.smoothed[at] = state.held;
        if (at == kMask) {  // the running sum made exact again once a turn
            state.smoothedSum = 0.0f;
            for (float cut : state.smoothed) state.smoothedSum += cut;
        }
        const float gain = 1.0f - std::max(0.0f, state.smoothedSum) * (1.0f / LIMITER_LOOKAHEAD);
        left[i] = state.delayed[0][out] * gain;
        right[i] = state.delayed[1][out] * gain;
        ++state.frame;
    }
}
