#include "art/flora.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "art/scenery.h"
#include "core/random.h"

namespace datagen {
namespace {

struct Blob {
    double x, y, rx, ry;
};

// Leafy density of a set of blobs at a point: above 1 inside, falling off outside.
double BlobDensity(const std::vector<Blob>& blobs, double x, double y) {
    double d = 0;
    for (const Blob& b : blobs) {
        const double dx = (x - b.x) / b.rx, dy = (y - b.y) / b.ry;
        d += std::exp(-(dx * dx + dy * dy) * 1.6);
    }
    return d;
}

// Paints a crown made of blobs, with a leafy ragged edge and light from the upper left.
void PaintCrown(Canvas& canvas, const std::vector<Blob>& blobs, const FoliageColours& leaves, std::uint32_t seed,
                double leafScale) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Blob& b : blobs) {
        x0 = std::min(x0, b.x - b.rx * 1.6);
        x1 = std::max(x1, b.x + b.rx * 1.6);
        y0 = std::min(y0, b.y - b.ry * 1.6);
        y1 = std::max(y1, b.y + b.ry * 1.6);
    }
    for (int y = std::max(0, int(y0)); y <= std::min(canvas.Height() - 1, int(y1)); ++y)
        for (int x = std::max(0, int(x0)); x <= std::min(canvas.Width() - 1, int(x1)); ++x) {
            const double leaf = Fractal2(x / leafScale, y / leafScale, 2, seed);
            const double d = BlobDensity(blobs, x, y) + (leaf - 0.5) * 0.9;
            if (d < 0.55) continue;
            // Gaps between the leaf clumps let the sky and branches show through.
            if (d < 1.1 && Fractal2(x / (leafScale * 2.5), y / (leafScale * 2.5), 2, seed + 5) < 0.3) continue;
            const double toLight = BlobDensity(blobs, x - 3, y - 4) - BlobDensity(blobs, x + 3, y + 4);
            const double lit = std::clamp(0.45 + toLight * 0.5 + (leaf - 0.5) * 0.8, 0.0, 1.0);
            const Colour c = lit < 0.5 ? Mix(leaves.dark, leaves.mid, lit * 2)
                                       : Mix(leaves.mid, leaves.light, lit * 2 - 1);
            canvas.Set(x, y, c);
        }
}

}  // namespace

void PaintOliveTree(Canvas& canvas, double x, double baseY, double height, Colour bark, const FoliageColours& leaves,
                    std::uint32_t seed) {
    Rng rng(seed);
    const Colour barkLight = Mix(bark, {200, 190, 170}, 0.3);
    // A short, leaning, twisted trunk that forks low into several limbs under a broad dome.
    const Point fork{x + rng.Range(-0.08, 0.08) * height, baseY - height * 0.34};
    const double trunk = std::max(1.0, height * 0.045);
    FillTaper(canvas, {x - trunk * 0.5, baseY}, fork, trunk * 1.5, trunk, bark);
    FillTaper(canvas, {x + trunk * 0.6, baseY}, {fork.x + trunk * 0.5, fork.y + trunk}, trunk * 0.5, trunk * 0.3,
              barkLight);
    const Point crown{fork.x, baseY - height * 0.66};
    const double crownRx = height * 0.55, crownRy = height * 0.3;
    std::vector<Blob> blobs;
    const int limbs = rng.Int(3, 4);
    for (int i = 0; i < limbs; ++i) {
        const double side = (i - (limbs - 1) / 2.0) / std::max(1.0, (limbs - 1) / 2.0);
        const Point tip{crown.x + side * crownRx * 0.6, crown.y + rng.Range(-0.1, 0.25) * crownRy};
        FillTaper(canvas, fork, tip, trunk * 0.75, trunk * 0.3, bark);
    }
    for (int k = 0; k < 14; ++k) {
        const double a = rng.Range(0, 6.2832), r = std::sqrt(rng.Unit());
        blobs.push_back({crown.x + std::cos(a) * r * crownRx * 0.8, crown.y + std::sin(a) * r * crownRy * 0.75,
                         height * rng.Range(0.14, 0.22), height * rng.Range(0.09, 0.14)});
    }
    PaintCrown(canvas, blobs, leaves, seed + 7, std::max(1.5, height / 30.0));
}

void PaintCypress(Canvas& canvas, double x, double baseY, double height, const FoliageColours& leaves,
                  std::uint32_t seed) {
    const double maxHalf = height * 0.11;
    canvas.FillRect(int(x - 1), int(baseY - height * 0.08), int(x + 2), int(baseY), Scale(leaves.dark, 0.6));
    for (int y = int(baseY - height); y < int(baseY - height * 0.05); ++y) {
        const double t = (baseY - y) / height;  // 0 at the foot, 1 at the tip
        const double half = maxHalf * std::pow(std::sin(std::clamp((1.0 - t) * 1.15, 0.0, 1.0) * 1.5708), 0.8) *
                            (0.85 + 0.3 * Fractal1(y / 4.0, 2, seed));
        for (int px = int(x - half); px <= int(x + half); ++px) {
            const double u = (px - x) / std::max(half, 0.5);  // -1 left .. 1 right
            const double leaf = Fractal2(px / 2.0, y / 2.5, 2, seed + 3);
            const double lit = std::clamp(0.55 - u * 0.45 + (leaf - 0.5) * 0.7, 0.0, 1.0);
            canvas.Set(px, y,
                       lit < 0.5 ? Mix(leaves.dark, leaves.mid, lit * 2) : Mix(leaves.mid, leaves.light, lit * 2 - 1));
        }
    }
}

void PaintBush(Canvas& canvas, double x, double baseY, double radius, const FoliageColours& leaves,
               std::uint32_t seed) {
    Rng rng(seed);
    std::vector<Blob> blobs;
    for (int i = 0; i < 5; ++i)
        blobs.push_back({x + rng.Range(-0.8, 0.8) * radius, baseY - radius * rng.Range(0.4, 0.8),
                         radius * rng.Range(0.45, 0.65), radius * rng.Range(0.35, 0.5)});
    PaintCrown(canvas, blobs, leaves, seed + 1, 1.6);
}

void PaintGrass(Canvas& canvas, int x0, int x1, const int* groundTop, double height, const FoliageColours& blades,
                std::uint32_t seed) {
    Rng rng(seed);
    for (int x = x0; x <= x1; ++x) {
        if (!rng.Chance(0.55)) continue;
        const double h = height * rng.Range(0.3, 1.0);
        const double lean = rng.Range(-0.5, 0.5);
        const Colour c = Mix(blades.dark, blades.light, rng.Unit());
        for (int k = 0; k < int(h); ++k)
            canvas.Set(int(std::lround(x + lean * k)), groundTop[x] - 1 - k, Mix(blades.dark, c, double(k) / h));
    }
}

}  // namespace datagen
