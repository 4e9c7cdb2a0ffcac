// Landscape 5, Aries's ground: a field of war under a blood-red sky, a city burning on the
// horizon and the spears and shields of the fallen all around.
#include <cmath>

#include "art/landscape_scenes.h"
#include "art/scenery.h"
#include "art/structures.h"
#include "core/random.h"

namespace datagen {
namespace {

Colour P(Ramp r, double t) { return ToColour(ShadeRgb(r, t)); }

void PaintBloodSky(Canvas& c) {
    PaintSky(c, {{0, P(ramp::kRed, 0.05)}, {140, P(ramp::kRed, 0.3)}, {260, P(ramp::kRed, 0.55)},
                 {330, P(ramp::kFire, 0.6)}});
    c.FillEllipse(150, 150, 34, 34, P(ramp::kFire, 0.75));
    PaintGlow(c, 150, 150, 90, P(ramp::kFire, 0.7), 0.4);
    PaintClouds(c, {30, 150, 0.55, 3.0, P(ramp::kRed, 0.4), P(ramp::kRed, 0.08), 111});
    // Columns of smoke rising from the city.
    for (double x : {300.0, 420.0, 560.0}) {
        for (int y = 60; y < 330; ++y) {
            const double t = (330 - y) / 270.0;
            const double cx = x + 40 * t * t + (Fractal1(y / 20.0, 2, uint32_t(x)) - 0.5) * 30 * t;
            const double half = 8 + 40 * t;
            for (int px = int(cx - half); px <= int(cx + half); ++px) {
                const double d = Fractal2(px / 12.0, y / 12.0, 3, uint32_t(x) + 1);
                const double u = std::fabs(px - cx) / half;
                if (d > 0.3 + u * 0.5) c.Blend(px, y, Mix(P(ramp::kGrey, 0.08), P(ramp::kRed, 0.15), t), 0.85 - t * 0.3);
            }
        }
    }
}

void PaintBurningCity(Canvas& c) {
    // Walls and towers on the horizon in silhouette, fire in the breaches.
    const Colour wall = P(ramp::kRed, 0.02);
    c.FillRect(220, 318, 640, 350, wall);
    Rng rng(112);
    for (double x = 230; x < 640; x += rng.Range(34, 60)) {
        const double h = rng.Range(20, 50), w = rng.Range(12, 20);
        c.FillRect(int(x), int(318 - h), int(x + w), 320, wall);
        for (double bx = x; bx < x + w; bx += 5) c.FillRect(int(bx), int(318 - h - 4), int(bx + 3), int(318 - h), wall);
    }
    for (double x : {290.0, 380.0, 470.0, 590.0}) {
        PaintGlow(c, x, 316, 50, P(ramp::kFire, 0.7), 0.5);
        PaintFlame(c, x, 322, 16, 34, uint32_t(x));
    }
    PaintRidge(c, RidgeLine(640, 352, 28, 90, 3, 113), P(ramp::kRed, 0.12), P(ramp::kRed, 0.04), 40, 0.2, 114);
}

void PaintBattlefield(Canvas& c, const GroundLine& ground) {
    // The trampled field slopes towards the viewer; arms of the fallen lie everywhere.
    std::vector<double> field(640);
    for (int x = 0; x < 640; ++x) field[x] = 392 - 10 * Fractal1(x / 80.0, 2, 115);
    PaintRidge(c, field, P(ramp::kEarth, 0.2), P(ramp::kEarth, 0.32), 80, 0.3, 116);
    const Tones bronze{P(ramp::kGold, 0.2), P(ramp::kGold, 0.4), P(ramp::kGold, 0.62)};
    Rng rng(117);
    for (int i = 0; i < 26; ++i) {
        const double x = rng.Range(0, 640), base = rng.Range(field[int(x)] + 6, ground[int(x)] - 2);
        PaintSpear(c, x, base, rng.Range(24, 48), rng.Range(-0.5, 0.5), P(ramp::kWood, 0.3), P(ramp::kSteel, 0.6));
    }
    for (int i = 0; i < 9; ++i) {
        const double x = rng.Range(0, 640);
        PaintShield(c, x, rng.Range(field[int(x)] + 14, ground[int(x)] - 8), rng.Range(6, 10), bronze, P(ramp::kRed, 0.4));
    }
    // Tattered banners on their poles.
    for (double x : {90.0, 500.0}) {
        const double base = ground[int(x)] - 1;
        FillTaper(c, {x, base}, {x, base - 110}, 1.2, 1.0, P(ramp::kWood, 0.25));
        c.FillPolygon({{x + 1, base - 108}, {x + 34, base - 100}, {x + 28, base - 88}, {x + 36, base - 76}, {x + 1, base - 80}},
                      P(ramp::kRed, 0.45));
        c.FillPolygon({{x + 1, base - 108}, {x + 34, base - 100}, {x + 30, base - 96}, {x + 1, base - 102}}, P(ramp::kRed, 0.6));
    }
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) c.Set(x, y, P(ramp::kEarth, 0.1));
}

}  // namespace

Scene PaintWarField(const GroundLine& ground) {
    Scene scene{Canvas(640, 480), {ramp::kRed, ramp::kFire, ramp::kEarth, ramp::kGold, ramp::kGrey, ramp::kSteel,
                                   ramp::kWood},
                {5, ramp::kEarth, 113, 107}};
    PaintBloodSky(scene.canvas);
    PaintBurningCity(scene.canvas);
    PaintBattlefield(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
