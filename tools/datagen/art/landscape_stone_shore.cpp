// Landscape 3, Medousa's ground: a rocky isle under a storm, a grey sea behind, and the
// warriors who met her gaze standing as stone along the shore.
#include <cmath>

#include "art/landscape_scenes.h"
#include "art/scenery.h"
#include "art/structures.h"
#include "core/random.h"

namespace datagen {
namespace {

Colour P(Ramp r, double t) { return ToColour(ShadeRgb(r, t)); }

constexpr double kHorizon = 318;

void PaintStormSky(Canvas& c) {
    PaintSky(c, {{0, P(ramp::kTeal, 0.08)}, {150, P(ramp::kTeal, 0.25)}, {kHorizon, P(ramp::kTeal, 0.55)}});
    PaintGlow(c, 180, 250, 220, P(ramp::kTeal, 0.75), 0.35);
    PaintClouds(c, {-20, 150, 0.75, 2.5, P(ramp::kHaze, 0.45), P(ramp::kHaze, 0.12), 71});
    PaintClouds(c, {110, 260, 0.5, 3.5, P(ramp::kTeal, 0.5), P(ramp::kTeal, 0.18), 72});
    // A far lightning stroke over the sea.
    Rng rng(73);
    double x = 430, y = 120;
    while (y < kHorizon - 6) {
        const double nx = x + rng.Range(-9, 9), ny = y + rng.Range(8, 16);
        FillTaper(c, {x, y}, {nx, ny}, 0.7, 0.7, {235, 250, 245});
        x = nx;
        y = ny;
    }
    PaintGlow(c, 430, 200, 90, P(ramp::kTeal, 0.9), 0.25);
}

void PaintSea(Canvas& c) {
    // Distant islands, then the sea with rows of breaking crests closer in.
    PaintRidge(c, RidgeLine(640, kHorizon + 2, 26, 60, 3, 74), P(ramp::kHaze, 0.25), P(ramp::kHaze, 0.2), 20, 0.05, 75,
               int(kHorizon) + 4);
    for (int y = int(kHorizon); y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (y < kHorizon + 3 && c.Get(x, y).r < 70) continue;  // island foot
            const double depth = (y - kHorizon) / 100.0;
            const double wave = Fractal2(x / (30.0 - std::min(20.0, depth * 16)), y / 2.5, 3, 76);
            Colour col = Mix(P(ramp::kTeal, 0.42), P(ramp::kTeal, 0.2), std::min(1.0, depth));
            if (wave > 0.68) col = Mix(col, P(ramp::kTeal, 0.85), (wave - 0.68) * 3);
            c.Set(x, y, col);
        }
}

void PaintShore(Canvas& c, const GroundLine& ground) {
    const Tones cliff{P(ramp::kHaze, 0.12), P(ramp::kHaze, 0.3), P(ramp::kHaze, 0.5)};
    const Tones marble{P(ramp::kStone, 0.3), P(ramp::kStone, 0.55), P(ramp::kStone, 0.8)};
    // Rock banks rising behind the path, with the cave of the gorgon on the left.
    std::vector<double> bank(640);
    for (int x = 0; x < 640; ++x) bank[x] = 392 - 44 * Fractal1(x / 70.0, 3, 77) - 30 * std::exp(-std::pow((x - 90) / 70.0, 2));
    for (int x = 0; x < 640; ++x)
        for (int y = std::max(0, int(bank[x])); y < 480; ++y) {
            const double facet = Fractal2(x / 10.0, y / 6.0, 3, 78);
            const double lit = std::clamp(0.35 + (facet - 0.5) * 0.9 - (y - bank[x]) / 160.0, 0.0, 1.0);
            c.Set(x, y, Mix(cliff.dark, cliff.light, lit));
        }
    c.FillEllipse(92, 396, 34, 44, P(ramp::kTeal, 0.02));
    c.FillEllipse(92, 402, 26, 36, {4, 8, 10});
    PaintGlow(c, 92, 395, 30, P(ramp::kTeal, 0.55), 0.3);
    // The petrified: warriors frozen mid-stride, and broken columns of an older shrine.
    PaintStatue(c, 200, ground[200] - 6, 70, true, marble, 81);
    PaintStatue(c, 330, ground[330] - 10, 62, false, marble, 82);
    PaintStatue(c, 455, ground[455] - 4, 76, true, marble, 83);
    PaintColumn(c, 265, ground[265] - 2, 58, 7, marble, true, 84);
    PaintColumn(c, 395, ground[395] - 2, 40, 7, marble, true, 85);
    PaintColumn(c, 610, ground[610] - 2, 90, 8, marble, true, 86);
    Rng rng(87);
    for (int i = 0; i < 7; ++i) {
        const double x = rng.Range(0, 640);
        PaintRock(c, x, ground[int(x)] + 2, rng.Range(14, 30), rng.Range(8, 16), cliff, rng.Int(0, 1 << 20));
    }
    // Below the path: wet dark rock and tide pools.
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) {
            const double facet = Fractal2(x / 6.0, y / 4.0, 3, 88);
            c.Set(x, y, Mix(cliff.dark, cliff.mid, std::clamp(facet * 1.2 - (y - ground[x]) / 60.0, 0.0, 1.0)));
        }
}

}  // namespace

Scene PaintStoneShore(const GroundLine& ground) {
    Scene scene{Canvas(640, 480), {ramp::kTeal, ramp::kHaze, ramp::kStone, ramp::kGrey, ramp::kEarth},
                {7, ramp::kHaze, 209, 111}};
    PaintStormSky(scene.canvas);
    PaintSea(scene.canvas);
    PaintShore(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
