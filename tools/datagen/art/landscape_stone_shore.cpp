// Landscape 3, Medousa's ground: a rocky isle under a storm, a grey sea behind, and the
// warriors who met her gaze standing as stone along the shore.
#include <cmath>

#include "art/fighter.h"
#include "art/landscape_scenes.h"
#include "art/menu_parts.h"
#include "art/scenery.h"
#include "art/structures.h"
#include "core/random.h"

namespace datagen {
namespace {

Colour P(Ramp r, double t) { return ToColour(ShadeRgb(r, t)); }

constexpr double kHorizon = 318;

void PaintStormSky(Canvas& c) {
    PaintSky(c, {{0, P(ramp::kHaze, 0.1)},
                 {140, Mix(P(ramp::kHaze, 0.3), P(ramp::kTeal, 0.35), 0.5)},
                 {kHorizon, Mix(P(ramp::kHaze, 0.55), P(ramp::kTeal, 0.6), 0.5)}});
    PaintGlow(c, 150, 270, 240, P(ramp::kTeal, 0.75), 0.3);
    PaintClouds(c, {-30, 160, 0.8, 2.5, P(ramp::kHaze, 0.42), P(ramp::kHaze, 0.1), 71});
    PaintClouds(c, {120, 270, 0.55, 3.5, P(ramp::kHaze, 0.55), P(ramp::kHaze, 0.25), 72});
    // A far lightning stroke over the sea, lighting the clouds around it.
    PaintGlow(c, 440, 190, 110, P(ramp::kTeal, 0.85), 0.3);
    Rng rng(73);
    double x = 440, y = 130;
    while (y < kHorizon - 6) {
        const double nx = x + rng.Range(-9, 9), ny = y + rng.Range(8, 16);
        FillTaper(c, {x, y}, {nx, ny}, 0.7, 0.7, {235, 250, 245});
        if (rng.Chance(0.25))
            FillTaper(c, {nx, ny}, {nx + rng.Range(-14, 14), ny + rng.Range(8, 14)}, 0.5, 0.5, {200, 230, 225});
        x = nx;
        y = ny;
    }
}

void PaintSea(Canvas& c) {
    // Distant islands, then the sea, its crests closer and larger towards the shore.
    PaintRidge(c, RidgeLine(640, kHorizon + 2, 24, 60, 3, 74), P(ramp::kHaze, 0.3), P(ramp::kHaze, 0.25), 20, 0.05, 75,
               int(kHorizon) + 4);
    for (int y = int(kHorizon); y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (y < kHorizon + 4 && c.Get(x, y).b < 110) continue;  // island foot
            const double depth = std::min(1.0, (y - kHorizon) / 90.0);
            const double wave = Fractal2(x / (40.0 - depth * 25), y / (1.5 + depth * 2.5), 3, 76);
            Colour col = Mix(Mix(P(ramp::kTeal, 0.4), P(ramp::kHaze, 0.45), 0.4), P(ramp::kTeal, 0.2), depth);
            if (wave > 0.66) col = Mix(col, P(ramp::kTeal, 0.85), std::min(1.0, (wave - 0.66) * 4));
            c.Set(x, y, col);
        }
}

void PaintCliffs(Canvas& c, std::vector<double>& bank) {
    // Grey rock rising behind the shore path, with the gorgon's cave cut into it on the left.
    bank.assign(640, 0);
    for (int x = 0; x < 640; ++x)
        bank[x] = 398 - 40 * Fractal1(x / 60.0, 3, 77) - 70 * std::exp(-std::pow((x - 80) / 80.0, 2));
    for (int x = 0; x < 640; ++x)
        for (int y = std::max(0, int(bank[x])); y < 480; ++y) {
            const double facet = Fractal2(x / 9.0, y / 5.0, 3, 78);
            const double ledge = std::sin((y + 8 * Fractal1(x / 25.0, 2, 79)) / 5.0) * 0.08;
            const double lit = std::clamp(0.42 + (facet - 0.5) * 0.8 + ledge - (y - bank[x]) / 220.0, 0.02, 0.9);
            c.Set(x, y, Mix(P(ramp::kGrey, 0.22 + lit * 0.5), P(ramp::kHaze, 0.2 + lit * 0.5), 0.35));
        }
    std::vector<Point> mouth;
    for (int i = 0; i <= 16; ++i) {
        const double a = 3.14159 * i / 16;
        const double r = 1.0 + 0.12 * (HashUnit(i, 3, 80) - 0.5);
        mouth.push_back({84 - std::cos(a) * 30 * r, 440 - std::sin(a) * 58 * r});
    }
    c.FillPolygon(mouth, {6, 10, 12});
    PaintGlow(c, 84, 420, 40, P(ramp::kTeal, 0.5), 0.25);
    c.FillEllipse(76, 404, 2, 1.5, P(ramp::kGold, 0.9));  // eyes in the dark
    c.FillEllipse(90, 404, 2, 1.5, P(ramp::kGold, 0.9));
}

void PaintPetrified(Canvas& c, const GroundLine& ground) {
    // Warriors who met the gorgon's gaze, life-size on their rock ledges behind the path.
    const Tones plinth{P(ramp::kStone, 0.2), P(ramp::kStone, 0.4), P(ramp::kStone, 0.6)};
    struct Statue {
        int x, row, frame;
        bool right;
    };
    const Statue statues[] = {{150, 5, 22, true}, {262, 0, 17, true}, {378, 2, 13, false}};
    for (const Statue& s : statues) {
        const int base = ground[s.x + 30] - 8;
        PaintRock(c, s.x + 30, base + 8, 62, 16, plinth, 81 + s.x);
        StampPicture(c, PaintStatueFrame(s.row, s.frame, s.right), s.x, base - 62, 1);
    }
    const Tones marble{P(ramp::kStone, 0.3), P(ramp::kStone, 0.55), P(ramp::kStone, 0.8)};
    PaintColumn(c, 470, ground[470] - 2, 64, 7, marble, true, 84);
    PaintColumn(c, 500, ground[500] - 2, 40, 7, marble, true, 85);
    PaintColumn(c, 626, ground[626] - 2, 100, 8, marble, true, 86);
}

void PaintShoreRocks(Canvas& c, const GroundLine& ground) {
    const Tones rock{P(ramp::kGrey, 0.15), P(ramp::kGrey, 0.35), P(ramp::kGrey, 0.55)};
    Rng rng(87);
    for (int i = 0; i < 6; ++i) {
        const double x = rng.Range(120, 640);
        PaintRock(c, x, ground[int(x)] + 1, rng.Range(12, 24), rng.Range(6, 12), rock, rng.Int(0, 1 << 20));
    }
    // Below the path: wet dark rock with pools reflecting the sky.
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) {
            const double facet = Fractal2(x / 6.0, y / 4.0, 3, 88);
            const double pool = Fractal2(x / 30.0, y / 6.0, 2, 89);
            Colour col = P(ramp::kGrey, std::clamp(0.08 + facet * 0.3 - (y - ground[x]) / 200.0, 0.04, 0.5));
            if (pool > 0.7 && y > ground[x] + 14) col = Mix(P(ramp::kTeal, 0.35), P(ramp::kTeal, 0.55), facet);
            c.Set(x, y, col);
        }
}

}  // namespace

Scene PaintStoneShore(const GroundLine& ground) {
    Scene scene{Canvas(640, 480),
                {ramp::kTeal, ramp::kHaze, ramp::kStone, ramp::kGrey, ramp::kGold},
                {7, ramp::kStone, 194, 1}};
    std::vector<double> bank;
    PaintStormSky(scene.canvas);
    PaintSea(scene.canvas);
    PaintCliffs(scene.canvas, bank);
    PaintPetrified(scene.canvas, ground);
    PaintShoreRocks(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
