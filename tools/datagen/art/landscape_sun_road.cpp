// Landscape 2, Apollo's ground: a mountain road winding down past cypresses to a temple
// of the sun under a blazing noon sky.
#include <cmath>

#include "art/flora.h"
#include "art/landscape_scenes.h"
#include "art/scenery.h"
#include "art/structures.h"
#include "core/random.h"

namespace datagen {
namespace {

Colour P(Ramp r, double t) { return ToColour(ShadeRgb(r, t)); }

constexpr double kSunX = 520, kSunY = 92;

void PaintNoonSky(Canvas& c) {
    PaintSky(c, {{0, P(ramp::kBlue, 0.3)}, {130, P(ramp::kBlue, 0.5)}, {240, P(ramp::kBlue, 0.72)},
                 {320, P(ramp::kBlue, 0.9)}});
    // Rays: long faint wedges turning around the sun.
    for (int i = 0; i < 18; ++i) {
        const double a = i * 6.2832 / 18 + 0.1;
        const double spread = 0.05;
        c.ForEachInPolygon({{kSunX, kSunY},
                            {kSunX + std::cos(a - spread) * 420, kSunY + std::sin(a - spread) * 420},
                            {kSunX + std::cos(a + spread) * 420, kSunY + std::sin(a + spread) * 420}},
                           [&](int x, int y) {
                               const double d = std::hypot(x - kSunX, y - kSunY);
                               c.Blend(x, y, P(ramp::kGold, 0.95), 0.22 * std::max(0.0, 1 - d / 420));
                           });
    }
    PaintGlow(c, kSunX, kSunY, 170, P(ramp::kGold, 0.95), 0.7);
    PaintClouds(c, {150, 230, 0.35, 5.0, {255, 255, 250}, P(ramp::kBlue, 0.65), 51});
    c.FillEllipse(kSunX, kSunY, 30, 30, P(ramp::kGold, 0.97));
    c.FillEllipse(kSunX, kSunY, 24, 24, {255, 255, 235});
}

void PaintMountains(Canvas& c) {
    std::vector<double> ridge = RidgeLine(640, 318, 120, 130, 5, 52);
    for (int x = 0; x < 640; ++x)
        for (int y = std::max(0, int(ridge[x])); y < 480; ++y) {
            const double depth = y - ridge[x];
            const double rock = Fractal2(x / 7.0, y / 4.0, 3, 53);
            Colour col = Mix(P(ramp::kHaze, 0.55), P(ramp::kHaze, 0.4), std::min(1.0, depth / 80));
            col = Scale(col, 0.9 + rock * 0.2);
            // Snow lies on the high peaks, thinning with depth below the crest.
            if (y < 250 && depth < 18 + rock * 30) col = Mix(P(ramp::kHaze, 0.95), col, depth / (18 + rock * 30));
            c.Set(x, y, col);
        }
    PaintHaze(c, 240, 330, P(ramp::kBlue, 0.85), 0.55);
}

void PaintValley(Canvas& c, const GroundLine& ground) {
    const Tones rock{P(ramp::kStone, 0.35), P(ramp::kStone, 0.55), P(ramp::kStone, 0.78)};
    // The far side of the valley: warm sunlit slopes dotted with dark cypress.
    PaintRidge(c, RidgeLine(640, 352, 40, 110, 3, 54), P(ramp::kOlive, 0.55), P(ramp::kOlive, 0.4), 60, 0.15, 55);
    Rng rng(56);
    const FoliageColours cypress{P(ramp::kGreen, 0.05), P(ramp::kGreen, 0.2), P(ramp::kGreen, 0.38)};
    for (int i = 0; i < 16; ++i) {
        const double x = rng.Range(100, 640);
        PaintCypress(c, x, rng.Range(350, 380), rng.Range(22, 36), cypress, rng.Int(0, 1 << 20));
    }
    // The temple of the sun on its terrace to the right, where the champion waits.
    PaintRidge(c, std::vector<double>(640, 410), P(ramp::kStone, 0.6), P(ramp::kStone, 0.45), 30, 0.1, 57);
    for (int x = 0; x < 330; ++x)
        for (int y = 400; y < 480; ++y) c.Set(x, y, c.Get(x, 399));
    PaintTemple(c, 392, 628, 412, 170,
                {P(ramp::kStone, 0.55), P(ramp::kStone, 0.78), P(ramp::kStone, 0.95)}, 58);
    c.FillEllipse(510, 280, 9, 9, P(ramp::kGold, 0.8));
    c.FillEllipse(510, 280, 5, 5, P(ramp::kGold, 0.98));
    // The road's own hill on the left: a rocky shoulder falling to the right.
    std::vector<double> shoulder(640);
    for (int x = 0; x < 640; ++x) shoulder[x] = ground[x] - 4 - 28 * std::max(0.0, 1.0 - x / 300.0);
    PaintRidge(c, shoulder, P(ramp::kOlive, 0.5), P(ramp::kOlive, 0.3), 40, 0.2, 59);
    for (int i = 0; i < 5; ++i) {
        const double x = rng.Range(10, 330);
        PaintRock(c, x, shoulder[int(x)] + 8, rng.Range(18, 34), rng.Range(12, 22), rock, rng.Int(0, 1 << 20));
    }
    PaintCypress(c, 40, ground[40] - 2, 96, cypress, 60);
    PaintCypress(c, 330, ground[330] - 2, 84, cypress, 61);
    PaintCypress(c, 360, ground[360] - 2, 64, cypress, 62);
    const FoliageColours laurel{P(ramp::kGreen, 0.2), P(ramp::kGreen, 0.4), P(ramp::kGreen, 0.62)};
    for (int x : {120, 200, 270, 470})
        PaintBush(c, x, ground[x] - 1, 12 + (x % 7), laurel, x);
    PaintGrass(c, 0, 639, ground.data(), 5, {P(ramp::kOlive, 0.35), {}, P(ramp::kOlive, 0.75)}, 63);
}

void PaintCliff(Canvas& c, const GroundLine& ground) {
    // Under the road, a cliff of warm layered rock.
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) {
            const double strata = std::sin((y + 6 * Fractal1(x / 30.0, 2, 64)) / 3.2) * 0.5 + 0.5;
            const double grain = Fractal2(x / 5.0, y / 3.0, 3, 65);
            const double depth = std::min(1.0, (y - ground[x]) / 70.0);
            const double lit = 0.72 - depth * 0.35 + (grain - 0.5) * 0.3 + (strata - 0.5) * 0.12;
            c.Set(x, y, P(ramp::kStone, std::clamp(lit, 0.05, 0.95)));
        }
}

}  // namespace

Scene PaintSunRoad(const GroundLine& ground) {
    Scene scene{Canvas(640, 480), {ramp::kBlue, ramp::kGold, ramp::kHaze, ramp::kOlive, ramp::kGreen,
                                   ramp::kStone, ramp::kEarth, ramp::kGrey},
                {8, ramp::kStone, 194, 201}};
    PaintNoonSky(scene.canvas);
    PaintMountains(scene.canvas);
    PaintValley(scene.canvas, ground);
    PaintCliff(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
