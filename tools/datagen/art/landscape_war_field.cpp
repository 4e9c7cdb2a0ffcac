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

void PaintSmoke(Canvas& c, double x, double top, double bottom, std::uint32_t seed) {
    // A column of smoke leaning with the wind, widening and thinning as it rises.
    for (int y = int(top); y < int(bottom); ++y) {
        const double t = (bottom - y) / (bottom - top);  // 0 at the fire, 1 at the top
        const double cx = x + 60 * t * t + (Fractal1(y / 24.0, 2, seed) - 0.5) * 24 * t;
        const double half = 6 + 46 * std::sqrt(t);
        for (int px = int(cx - half); px <= int(cx + half); ++px) {
            const double u = std::fabs(px - cx) / half;
            const double puff = Fractal2(px / 14.0, y / 10.0, 3, seed + 1);
            const double density = std::clamp((puff - 0.25 - u * 0.55) * 2.2, 0.0, 1.0) * (1.0 - 0.6 * t);
            if (density > 0) c.Blend(px, y, Mix(P(ramp::kGrey, 0.12), P(ramp::kRed, 0.12), t), density);
        }
    }
}

void PaintBloodSky(Canvas& c) {
    PaintSky(
        c,
        {{0, P(ramp::kRed, 0.05)}, {140, P(ramp::kRed, 0.3)}, {260, P(ramp::kRed, 0.55)}, {330, P(ramp::kFire, 0.6)}});
    c.FillEllipse(150, 150, 34, 34, P(ramp::kFire, 0.75));
    PaintGlow(c, 150, 150, 90, P(ramp::kFire, 0.7), 0.4);
    PaintClouds(c, {30, 150, 0.55, 3.0, P(ramp::kRed, 0.4), P(ramp::kRed, 0.08), 111});
    for (double x : {300.0, 420.0, 560.0}) PaintSmoke(c, x, 40, 322, uint32_t(x));
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
        c.FillRect(int(x + w / 2 - 1), int(318 - h + 8), int(x + w / 2 + 1), int(318 - h + 12), P(ramp::kFire, 0.7));
    }
    for (double x : {290.0, 380.0, 470.0, 590.0}) {
        PaintGlow(c, x, 316, 50, P(ramp::kFire, 0.7), 0.5);
        PaintFlame(c, x, 322, 16, 34, uint32_t(x));
    }
    PaintRidge(c, RidgeLine(640, 352, 28, 90, 3, 113), P(ramp::kRed, 0.14), P(ramp::kRed, 0.04), 40, 0.2, 114);
}

void PaintWheel(Canvas& c, double x, double y, double r, Colour wood) {
    for (int k = 0; k < 8; ++k) {
        const double a = k * 3.14159 / 4;
        FillTaper(c, {x, y}, {x + std::cos(a) * r, y + std::sin(a) * r * 0.55}, 1.0, 1.0, wood);
    }
    for (int k = 0; k < 48; ++k) {
        const double a = k * 3.14159 / 24, b = (k + 1) * 3.14159 / 24;
        FillTaper(c, {x + std::cos(a) * r, y + std::sin(a) * r * 0.55},
                  {x + std::cos(b) * r, y + std::sin(b) * r * 0.55}, 1.6, 1.6, wood);
    }
    c.FillEllipse(x, y, 3, 2, Scale(wood, 0.6));
}

void PaintBattlefield(Canvas& c, const GroundLine& ground) {
    // The trampled field slopes towards the viewer; arms of the fallen lie everywhere.
    std::vector<double> field(640);
    for (int x = 0; x < 640; ++x) field[x] = 388 - 10 * Fractal1(x / 80.0, 2, 115);
    for (int x = 0; x < 640; ++x)
        for (int y = int(field[x]); y < 480; ++y) {
            const double t = std::clamp((y - field[x]) / 90.0, 0.0, 1.0);
            const double clod = Fractal2(x / 6.0, y / 2.5, 3, 116);
            const double rut = std::sin(y / 3.0 + 2 * Fractal1(x / 40.0, 2, 117)) * 0.04;
            c.Set(x, y,
                  Mix(P(ramp::kEarth, 0.16 + clod * 0.14 + rut), P(ramp::kRed, 0.18 + clod * 0.1), 0.35 - t * 0.2));
        }
    const Tones bronze{P(ramp::kGold, 0.2), P(ramp::kGold, 0.4), P(ramp::kGold, 0.65)};
    Rng rng(118);
    for (int i = 0; i < 22; ++i) {
        const double x = rng.Range(0, 640), base = rng.Range(field[int(x)] + 6, ground[int(x)] - 2);
        const double near = (base - field[int(x)]) / (ground[int(x)] - field[int(x)]);
        PaintSpear(c, x, base, 26 + 30 * near, rng.Range(-0.55, 0.55), P(ramp::kWood, 0.3), P(ramp::kSteel, 0.6));
    }
    for (int i = 0; i < 7; ++i) {
        const double x = rng.Range(0, 640);
        const double y = rng.Range(field[int(x)] + 14, ground[int(x)] - 8);
        PaintShield(c, x, y, 6 + 6 * (y - field[int(x)]) / 80.0, bronze, P(ramp::kRed, 0.4));
    }
    PaintWheel(c, 232, ground[232] - 16, 16, P(ramp::kWood, 0.35));
    // Tattered banners on their poles.
    for (double x : {90.0, 500.0}) {
        const double base = ground[int(x)] - 1;
        FillTaper(c, {x, base}, {x, base - 110}, 1.2, 1.0, P(ramp::kWood, 0.25));
        c.FillPolygon(
            {{x + 1, base - 108}, {x + 34, base - 100}, {x + 28, base - 88}, {x + 36, base - 76}, {x + 1, base - 80}},
            P(ramp::kRed, 0.45));
        c.FillPolygon({{x + 1, base - 108}, {x + 34, base - 100}, {x + 30, base - 96}, {x + 1, base - 102}},
                      P(ramp::kRed, 0.6));
    }
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) c.Set(x, y, P(ramp::kEarth, 0.1));
}

}  // namespace

Scene PaintWarField(const GroundLine& ground) {
    Scene scene{Canvas(640, 480),
                {ramp::kRed, ramp::kFire, ramp::kEarth, ramp::kGold, ramp::kGrey, ramp::kSteel, ramp::kWood},
                {5, ramp::kEarth, 113, 107}};
    PaintBloodSky(scene.canvas);
    PaintBurningCity(scene.canvas);
    PaintBattlefield(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
