#include "art/ground.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace datagen {
namespace {

// Ground level under the fighters' start positions: the player and the first enemy start at
// y 300, the second and third at 375, the last two at 410.
constexpr int kHigh = 300 + kRestOffset;  // 363
constexpr int kMid = 375 + kRestOffset;   // 438
constexpr int kLow = 410 + kRestOffset;   // 473

// Slopes from `from` to `to` between columns x0 and x1, flat outside them, with its ends
// rounded over `round` columns. An even slope is as gentle as the drop allows: a fighter
// rests on the highest ground under its probe, so on a slope its feet float by the slope
// times their distance from the probe's uphill edge, and that should stay a pixel or three.
int Slope(int x, int x0, int x1, int from, int to, int round) {
    auto linear = [&](double at) { return from + (to - from) * std::clamp((at - x0) / double(x1 - x0), 0.0, 1.0); };
    double sum = 0;
    for (int k = -round; k <= round; ++k) sum += linear(x + k);
    return static_cast<int>(std::lround(sum / (2 * round + 1)));
}

// A low mound of the given height centred between x0 and x1, for a little life in flat ground.
int Mound(int x, int x0, int x1, int height) {
    if (x <= x0 || x >= x1) return 0;
    const double t = static_cast<double>(x - x0) / (x1 - x0);
    return static_cast<int>(std::lround(height * std::pow(std::sin(t * std::numbers::pi), 2)));
}

int GroundAt(int landscape, int x) {
    switch (landscape) {
        case 0: return kHigh - Mound(x, 150, 430, 7);
        case 1: return Slope(x, 30, 520, kHigh, kMid, 24);
        case 2: return kMid - Mound(x, 110, 330, 5) + Mound(x, 340, 480, 3);
        case 3: return Slope(x, 30, 520, kMid, kLow, 24);
        default: return kLow - Mound(x, 130, 420, 6);
    }
}

}  // namespace

GroundLine GroundLineOf(int landscape) {
    GroundLine line{};
    for (int x = 0; x < kScreenWidth; ++x) line[x] = GroundAt(landscape, x);
    return line;
}

}  // namespace datagen
