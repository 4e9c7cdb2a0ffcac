// Landscape 1, Eris's ground: an olive grove on rolling hills at dawn, the golden apple of
// strife hanging in the great tree.
#include <cmath>

#include "art/flora.h"
#include "art/landscape_scenes.h"
#include "art/scenery.h"
#include "core/random.h"

namespace datagen {
namespace {

Colour P(Ramp r, double t) { return ToColour(ShadeRgb(r, t)); }

void PaintDawnSky(Canvas& c) {
    PaintSky(c, {{0, P(ramp::kDawn, 0.0)},
                 {120, P(ramp::kDawn, 0.25)},
                 {210, P(ramp::kDawn, 0.5)},
                 {265, P(ramp::kDawn, 0.72)},
                 {300, P(ramp::kDawn, 0.9)}});
    PaintGlow(c, 470, 230, 190, P(ramp::kDawn, 0.85), 0.55);
    PaintClouds(c, {40, 120, 0.45, 3.5, P(ramp::kDawn, 0.55), P(ramp::kDawn, 0.12), 11});
    PaintClouds(c, {150, 215, 0.4, 4.0, P(ramp::kDawn, 0.8), P(ramp::kDawn, 0.35), 12});
    Scatter(c, 0, 0, 640, 70, 40, P(ramp::kDawn, 0.8), 13);
    c.FillEllipse(470, 212, 20, 20, P(ramp::kDawn, 1.0));
    PaintGlow(c, 470, 212, 44, {255, 250, 230}, 0.6);
}

void PaintHills(Canvas& c, const GroundLine& ground) {
    // Far mountains in violet haze, then two ranks of green hills, each nearer one darker.
    PaintRidge(c, RidgeLine(640, 262, 60, 90, 4, 21), P(ramp::kHaze, 0.5), P(ramp::kHaze, 0.42), 60, 0.05, 22);
    PaintHaze(c, 225, 290, P(ramp::kDawn, 0.55), 0.5);
    PaintRidge(c, RidgeLine(640, 288, 44, 120, 3, 23), P(ramp::kOlive, 0.42), P(ramp::kOlive, 0.3), 40, 0.1, 24);
    Rng rng(25);
    for (int i = 0; i < 22; ++i) {
        const double x = rng.Range(0, 640);
        PaintOliveTree(c, x, rng.Range(290, 318), rng.Range(16, 24), P(ramp::kStone, 0.2),
                       {P(ramp::kOlive, 0.22), P(ramp::kOlive, 0.34), P(ramp::kOlive, 0.48)}, rng.Int(0, 1 << 20));
    }
    PaintHaze(c, 280, 330, P(ramp::kDawn, 0.75), 0.2);
    std::vector<double> near(640);
    for (int x = 0; x < 640; ++x) near[x] = std::min<double>(ground[x] - 6, 326 - 18 * Fractal1(x / 150.0, 3, 26));
    PaintRidge(c, near, P(ramp::kGreen, 0.5), P(ramp::kGreen, 0.34), 50, 0.12, 27);
}

void PaintGrove(Canvas& c, const GroundLine& ground) {
    // Olive leaves are grey-green with silver undersides.
    const FoliageColours olive{P(ramp::kOlive, 0.18), Mix(P(ramp::kOlive, 0.38), P(ramp::kHaze, 0.45), 0.2),
                               Mix(P(ramp::kOlive, 0.56), P(ramp::kHaze, 0.6), 0.25)};
    PaintOliveTree(c, 60, ground[60] - 2, 70, P(ramp::kStone, 0.25), olive, 31);
    PaintOliveTree(c, 380, ground[380] - 3, 64, P(ramp::kStone, 0.25), olive, 33);
    PaintOliveTree(c, 620, ground[620] - 2, 58, P(ramp::kStone, 0.25), olive, 34);
    // The great tree of the grove, and the golden apple in it.
    PaintOliveTree(c, 220, ground[220] - 1, 132, P(ramp::kStone, 0.3), olive, 35);
    c.FillEllipse(236, 262, 5.5, 5.5, P(ramp::kGold, 0.62));
    c.FillEllipse(234.5, 260.5, 2.2, 2.2, P(ramp::kGold, 0.95));
    c.FillRect(236, 254, 237, 257, P(ramp::kWood, 0.2));
    PaintGlow(c, 236, 262, 16, P(ramp::kGold, 0.9), 0.35);
}

void PaintMeadow(Canvas& c, const GroundLine& ground) {
    PaintGrass(c, 0, 639, ground.data(), 7, {P(ramp::kGreen, 0.3), {}, P(ramp::kGreen, 0.7)}, 41);
    Rng rng(42);
    for (int i = 0; i < 90; ++i) {
        const int x = rng.Int(0, 639);
        const int y = ground[x] - rng.Int(2, 7);
        const Colour bloom = rng.Chance(0.6) ? P(ramp::kRed, 0.62) : P(ramp::kGold, 0.9);
        c.Set(x, y, bloom);
    }
    // The bank under the path: grass darkening into shadow, with stones and flowers.
    std::vector<double> bank(640);
    for (int x = 0; x < 640; ++x) bank[x] = ground[x];
    PaintRidge(c, bank, P(ramp::kGreen, 0.4), P(ramp::kGreen, 0.1), 110, 0.0, 43);
    // Grass texture: short vertical strokes of lighter and darker green.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (y < ground[x] + 10) continue;
            const double n = Fractal2(x / 1.5, y / 6.0, 2, 46);
            if (n > 0.62) c.Blend(x, y, P(ramp::kGreen, 0.6), 0.5);
            if (n < 0.3) c.Blend(x, y, P(ramp::kGreen, 0.05), 0.5);
        }
    for (int i = 0; i < 12; ++i) {
        const double x = rng.Range(0, 640), y = rng.Range(ground[int(x)] + 25, 470);
        const double r = rng.Range(4, 10);
        c.FillEllipse(x, y + r * 0.3, r * 1.6, r * 0.5, P(ramp::kGreen, 0.02));
        c.FillEllipse(x, y, r * 1.5, r * 0.7, P(ramp::kStone, 0.35));
        c.FillEllipse(x - r * 0.4, y - r * 0.25, r * 0.8, r * 0.35, P(ramp::kStone, 0.6));
    }
    Scatter(c, 0, 380, 640, 480, 160, P(ramp::kGold, 0.7), 44);
    Scatter(c, 0, 380, 640, 480, 120, P(ramp::kViolet, 0.7), 45);
}

}  // namespace

Scene PaintOliveGrove(const GroundLine& ground) {
    Scene scene{Canvas(640, 480),
                {ramp::kDawn, ramp::kHaze, ramp::kOlive, ramp::kGreen, ramp::kWood, ramp::kGold, ramp::kRed,
                 ramp::kStone, ramp::kViolet, ramp::kEarth},
                {9, ramp::kEarth, 113, 101}};
    PaintDawnSky(scene.canvas);
    PaintHills(scene.canvas, ground);
    PaintGrove(scene.canvas, ground);
    PaintMeadow(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
