#include "art/quantise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace datagen {
namespace {

// 8x8 Bayer thresholds, 0..63.
constexpr std::array<std::array<int, 8>, 8> kBayer = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

// Nearest palette entry among a fixed candidate set, memoised on a 6-bit-per-channel grid.
class NearestColour {
public:
    explicit NearestColour(const std::vector<Ramp>& ramps) : cache_(1 << 18, -1) {
        for (const Ramp& r : ramps)
            for (int i = 0; i < r.count; ++i)
                if (r.first + i != kGround) candidates_.push_back(static_cast<std::uint8_t>(r.first + i));
    }

    std::uint8_t Find(Colour c) {
        const int r = Channel(c.r), g = Channel(c.g), b = Channel(c.b);
        int& slot = cache_[(r << 12) | (g << 6) | b];
        if (slot < 0) slot = Search(r * 4 + 2, g * 4 + 2, b * 4 + 2);
        return static_cast<std::uint8_t>(slot);
    }

private:
    static int Channel(double v) { return std::clamp(static_cast<int>(v) >> 2, 0, 63); }

    // Weighted distance that follows the eye: green differences count most.
    int Search(int r, int g, int b) const {
        const Palette& pal = GamePalette();
        int best = candidates_.front();
        long bestDistance = std::numeric_limits<long>::max();
        for (std::uint8_t i : candidates_) {
            const long dr = r - pal[i].r, dg = g - pal[i].g, db = b - pal[i].b;
            const long mean = (r + pal[i].r) / 2;
            const long d = ((512 + mean) * dr * dr >> 8) + 4 * dg * dg + ((767 - mean) * db * db >> 8);
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        return best;
    }

    std::vector<std::uint8_t> candidates_;
    std::vector<int> cache_;
};

}  // namespace

IndexedImage Quantise(const Canvas& canvas, const std::vector<Ramp>& ramps, double dither) {
    NearestColour nearest(ramps);
    IndexedImage out(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            Colour c = canvas.Get(x, y);
            if (!canvas.Crisp(x, y)) {
                const double offset = ((kBayer[y & 7][x & 7] + 0.5) / 64.0 - 0.5) * dither;
                c = {c.r + offset, c.g + offset, c.b + offset};
            }
            out.Set(x, y, nearest.Find(c));
        }
    return out;
}

}  // namespace datagen
