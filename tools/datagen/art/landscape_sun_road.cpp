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
    PaintSky(c, {{0, P(ramp::kBlue, 0.3)},
                 {130, P(ramp::kBlue, 0.5)},
                 {240, P(ramp::kBlue, 0.72)},
                 {320, P(ramp::kBlue, 0.9)}});
    // Rays: long faint wedges of pale light turning around the sun.
    for (int i = 0; i < 18; ++i) {
        const double a = i * 6.2832 / 18 + 0.1;
        const double spread = 0.045;
        c.ForEachInPolygon({{kSunX, kSunY},
                            {kSunX + std::cos(a - spread) * 420, kSunY + std::sin(a - spread) * 420},
                            {kSunX + std::cos(a + spread) * 420, kSunY + std::sin(a + spread) * 420}},
                           [&](int x, int y) {
                               const double d = std::hypot(x - kSunX, y - kSunY);
                               c.Blend(x, y, P(ramp::kBlue, 1.0), 0.3 * std::max(0.0, 1 - d / 420));
                           });
    }
    PaintGlow(c, kSunX, kSunY, 170, P(ramp::kBlue, 1.0), 0.8);
    PaintGlow(c, kSunX, kSunY, 60, P(ramp::kGold, 0.98), 0.6);
    PaintClouds(c, {150, 230, 0.35, 5.0, {255, 255, 250}, P(ramp::kBlue, 0.65), 51});
    c.FillEllipse(kSunX, kSunY, 30, 30, P(ramp::kGold, 0.97));
    c.FillEllipse(kSunX, kSunY, 24, 24, {255, 255, 235});
}

void PaintMountains(Canvas& c) {
    std::vector<double> ridge = RidgeLine(640, 318, 120, 130, 5, 52);
    for (int x = 0; x < 640; ++x) {
        // Faces turned to the sun (rising towards the right) are lit, the others in shade.
        const double slope = ridge[std::max(0, x - 3)] - ridge[std::min(639, x + 3)];
        for (int y = std::max(0, int(ridge[x])); y < 480; ++y) {
            const double depth = y - ridge[x];
            const double rock = Fractal2(x / 7.0, y / 4.0, 3, 53);
            const double face = std::clamp(0.5 - slope * 0.08 + (rock - 0.5) * 0.5, 0.0, 1.0);
            Colour col = Mix(P(ramp::kHaze, 0.38), P(ramp::kHaze, 0.62), face);
            col = Mix(col, P(ramp::kHaze, 0.45), std::min(1.0, depth / 120));
            // Snow on the high peaks, thinning with depth below the crest.
            if (y < 250 && depth < 14 + rock * 34)
                col = Mix(P(ramp::kHaze, 0.8 + face * 0.2), col, depth / (14 + rock * 34));
            c.Set(x, y, col);
        }
    }
    PaintHaze(c, 240, 330, P(ramp::kBlue, 0.85), 0.55);
}

void PaintValley(Canvas& c, const GroundLine& ground) {
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
    const Tones marble{P(ramp::kStone, 0.55), P(ramp::kStone, 0.78), P(ramp::kStone, 0.95)};
    PaintTemple(c, 392, 628, 412, 170, marble, 58);
    c.FillEllipse(510, 262, 8, 8, P(ramp::kGold, 0.75));
    c.FillEllipse(510, 262, 5, 5, P(ramp::kGold, 0.98));
    // The road's own hill on the left: a grassy shoulder falling to the right.
    std::vector<double> shoulder(640);
    for (int x = 0; x < 640; ++x) shoulder[x] = ground[x] - 4 - 28 * std::max(0.0, 1.0 - x / 300.0);
    PaintRidge(c, shoulder, P(ramp::kOlive, 0.52), P(ramp::kOlive, 0.32), 40, 0.2, 59);
    PaintCypress(c, 40, ground[40] - 2, 96, cypress, 60);
    PaintCypress(c, 330, ground[330] - 2, 84, cypress, 61);
    PaintCypress(c, 360, ground[360] - 2, 64, cypress, 62);
    const FoliageColours laurel{P(ramp::kGreen, 0.2), P(ramp::kGreen, 0.4), P(ramp::kGreen, 0.62)};
    for (int x : {120, 200, 270, 470}) PaintBush(c, x, ground[x] - 1, 12 + (x % 7), laurel, x);
    PaintGrass(c, 0, 639, ground.data(), 5, {P(ramp::kOlive, 0.35), {}, P(ramp::kOlive, 0.75)}, 63);
}

void PaintCliff(Canvas& c, const GroundLine& ground) {
    // Under the road, a cliff of warm layered rock: sunlit ledges, shaded bands and cracks.
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) {
            const double bend = 10 * Fractal1(x / 60.0, 2, 64);
            const double layer = Fractal1((y + bend) / 7.0, 1, 65);  // brightness of each stratum
            const double within = std::fmod((y + bend) / 7.0, 1.0);  // position inside it
            const double crack = std::fabs(Fractal2(x / 5.0, (y + bend) / 60.0, 2, 66) - 0.5);
            const double depth = std::min(1.0, (y - ground[x]) / 90.0);
            double lit = 0.45 + layer * 0.35 - depth * 0.3 + (within < 0.18 ? 0.12 : 0.0) -
                         (within > 0.85 ? 0.12 : 0.0);
            if (crack < 0.012) lit -= 0.2;
            c.Set(x, y,
                  Mix(P(ramp::kStone, std::clamp(lit, 0.08, 0.9)), P(ramp::kEarth, std::clamp(lit + 0.05, 0.1, 0.9)),
                      0.55));
        }
}

}  // namespace

Scene PaintSunRoad(const GroundLine& ground) {
    Scene scene{
        Canvas(640, 480),
        {ramp::kBlue, ramp::kGold, ramp::kHaze, ramp::kOlive, ramp::kGreen, ramp::kStone, ramp::kEarth, ramp::kGrey},
        {8, ramp::kStone, 194, 201}};
    PaintNoonSky(scene.canvas);
    PaintMountains(scene.canvas);
    PaintValley(scene.canvas, ground);
    PaintCliff(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
