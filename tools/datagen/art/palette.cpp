#include "art/palette.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace datagen {
namespace {

// Fills a ramp by interpolating evenly spaced key colours.
void FillRamp(Palette& p, Ramp r, std::initializer_list<Rgb> keyList) {
    const std::vector<Rgb> keys(keyList);
    const int segments = static_cast<int>(keys.size()) - 1;
    for (int i = 0; i < r.count; ++i) {
        const double pos = static_cast<double>(i) / (r.count - 1) * segments;
        const int k = std::min(static_cast<int>(pos), segments - 1);
        const double t = pos - k;
        auto mix = [&](std::uint8_t a, std::uint8_t b) {
            return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
        };
        p[r.first + i] = {mix(keys[k].r, keys[k + 1].r), mix(keys[k].g, keys[k + 1].g), mix(keys[k].b, keys[k + 1].b)};
    }
}

Palette BuildPalette() {
    Palette p{};
    FillRamp(p, ramp::kGrey, {{0, 0, 0}, {30, 30, 34}, {255, 255, 255}});
    p[kOutlineBlack] = {20, 14, 24};
    FillRamp(p, ramp::kSkin, {{46, 22, 16}, {120, 62, 40}, {190, 120, 84}, {236, 180, 140}, {255, 232, 208}});
    FillRamp(p, ramp::kGold, {{34, 18, 6}, {110, 62, 18}, {190, 128, 40}, {240, 200, 90}, {255, 250, 200}});
    FillRamp(p, ramp::kSteel, {{14, 18, 28}, {60, 70, 90}, {130, 145, 165}, {200, 212, 226}, {255, 255, 255}});
    FillRamp(p, ramp::kRed, {{34, 4, 8}, {100, 12, 16}, {170, 28, 24}, {225, 70, 40}, {255, 170, 110}});
    FillRamp(p, ramp::kGreen, {{8, 22, 12}, {28, 64, 26}, {60, 110, 40}, {120, 168, 64}, {210, 230, 140}});
    FillRamp(p, ramp::kBlue, {{4, 8, 30}, {20, 44, 100}, {50, 100, 170}, {120, 170, 225}, {225, 240, 255}});
    FillRamp(p, ramp::kEarth, {{26, 16, 10}, {60, 40, 24}, {100, 72, 46}, {160, 126, 86}, {245, 230, 190}});
    FillRamp(p, ramp::kViolet, {{12, 6, 22}, {44, 22, 70}, {96, 56, 140}, {170, 120, 210}, {240, 225, 255}});
    FillRamp(p, ramp::kTeal, {{4, 18, 20}, {18, 60, 62}, {44, 110, 104}, {110, 170, 150}, {215, 245, 230}});
    FillRamp(p, ramp::kDawn, {{40, 30, 80}, {120, 70, 130}, {210, 110, 120}, {250, 170, 120}, {255, 235, 190}});
    FillRamp(p, ramp::kFire, {{50, 10, 0}, {150, 40, 0}, {230, 110, 10}, {255, 190, 50}, {255, 255, 210}});
    FillRamp(p, ramp::kStone, {{28, 24, 22}, {80, 72, 66}, {140, 130, 118}, {205, 196, 178}, {252, 248, 236}});
    FillRamp(p, ramp::kHaze, {{24, 26, 44}, {64, 70, 100}, {120, 128, 160}, {180, 186, 210}, {232, 234, 245}});
    FillRamp(p, ramp::kOlive, {{18, 20, 6}, {60, 64, 22}, {120, 120, 56}, {185, 178, 110}, {240, 234, 190}});
    FillRamp(p, ramp::kWood, {{20, 10, 4}, {70, 36, 16}, {130, 74, 36}, {190, 130, 80}, {245, 210, 160}});
    // The trodden path: a warm dusty tan that reads as ground in every landscape.
    p[kGround] = {150, 116, 76};
    return p;
}

}  // namespace

const Palette& GamePalette() {
    static const Palette palette = BuildPalette();
    return palette;
}

std::uint8_t Shade(Ramp r, double t) {
    const int i = std::clamp(static_cast<int>(std::lround(t * (r.count - 1))), 0, r.count - 1);
    const auto index = static_cast<std::uint8_t>(r.first + i);
    return index == kGround ? static_cast<std::uint8_t>(index - 1) : index;
}

Rgb ShadeRgb(Ramp r, double t) {
    t = std::clamp(t, 0.0, 1.0) * (r.count - 1);
    const int i = std::min(static_cast<int>(t), r.count - 2);
    const double f = t - i;
    auto at = [&](int k) {
        const int index = r.first + k;
        // Step over the ground colour: it is not part of the earth ramp's gradient.
        return GamePalette()[index == kGround ? (f < 0.5 ? index - 1 : index + 1) : index];
    };
    const Rgb a = at(i), b = at(i + 1);
    auto mix = [&](std::uint8_t x, std::uint8_t y) { return static_cast<std::uint8_t>(std::lround(x + (y - x) * f)); };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

}  // namespace datagen
