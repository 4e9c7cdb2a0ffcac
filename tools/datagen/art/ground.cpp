#include "art/ground.h"

#include <cmath>
#include <numbers>

namespace datagen {
namespace {

// Ground level under the fighters' start positions: the player and the first enemy start at
// y 300, the second and third at 375, the last two at 410.
constexpr int kHigh = 300 + kRestOffset;  // 363
constexpr int kMid = 375 + kRestOffset;   // 438
constexpr int kLow = 410 + kRestOffset;   // 473

// Eases from `from` to `to` between columns x0 and x1, flat outside them. A cosine easing
// keeps the steepest part of the slope well under the one pixel of fall per two-pixel step
// that a walking fighter can follow.
int Ease(int x, int x0, int x1, int from, int to) {
    if (x <= x0) return from;
    if (x >= x1) return to;
    const double t = static_cast<double>(x - x0) / (x1 - x0);
    return static_cast<int>(std::lround(from + (to - from) * (0.5 - 0.5 * std::cos(t * std::numbers::pi))));
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
        case 1: return Ease(x, 70, 470, kHigh, kMid);
        case 2: return kMid - Mound(x, 110, 330, 5) + Mound(x, 340, 480, 3);
        case 3: return Ease(x, 110, 450, kMid, kLow);
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
