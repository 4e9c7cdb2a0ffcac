// Landscape 4, Haides's ground: a cavern under the earth, the glowing river of the dead
// far below, braziers burning before the gate of the lord of the underworld.
#include <cmath>

#include "art/landscape_scenes.h"
#include "art/scenery.h"
#include "art/structures.h"
#include "core/random.h"

namespace datagen {
namespace {

Colour P(Ramp r, double t) { return ToColour(ShadeRgb(r, t)); }

void PaintCavern(Canvas& c) {
    PaintSky(c, {{0, P(ramp::kViolet, 0.02)}, {200, P(ramp::kViolet, 0.12)}, {330, P(ramp::kViolet, 0.22)}});
    // The far wall: rough violet rock lit faintly from the river below.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const double rock = Fractal2(x / 14.0, y / 9.0, 4, 91);
            const double glow = std::exp(-std::pow((y - 330) / 90.0, 2));
            c.Set(x, y, Mix(P(ramp::kViolet, 0.04), P(ramp::kViolet, 0.3), std::clamp(rock * 0.7 + glow * 0.5 - 0.25, 0.0, 1.0)));
        }
    // The river Styx: a band of pale green-teal light with slow ripples.
    for (int y = 318; y < 352; ++y)
        for (int x = 0; x < 640; ++x) {
            const double ripple = Fractal2(x / 24.0, y / 2.0, 2, 92);
            const double edge = 1.0 - std::fabs(y - 335) / 17.0;
            c.Set(x, y, Mix(P(ramp::kTeal, 0.3), P(ramp::kTeal, 0.75), std::clamp(edge * 0.7 + ripple * 0.4, 0.0, 1.0)));
        }
    PaintGlow(c, 320, 335, 300, P(ramp::kTeal, 0.5), 0.25);
    // The ferryman's boat, a dark sliver with its lone figure.
    c.FillPolygon({{250, 330}, {330, 330}, {322, 337}, {258, 337}}, {8, 6, 14});
    FillTaper(c, {300, 330}, {300, 310}, 3, 2.5, {8, 6, 14});
    c.FillEllipse(300, 306, 3, 4, {8, 6, 14});
    FillTaper(c, {306, 306}, {318, 340}, 0.6, 0.6, {8, 6, 14});
}

void PaintStalactites(Canvas& c) {
    Rng rng(93);
    for (int i = 0; i < 38; ++i) {
        const double x = rng.Range(-10, 650), len = rng.Range(20, 120), w = rng.Range(6, 20);
        for (int y = 0; y < int(len); ++y) {
            const double half = w / 2 * (1.0 - y / len);
            for (int px = int(x - half); px <= int(x + half); ++px) {
                const double u = (px - x) / std::max(half, 0.5);
                c.Set(px, y, Mix(P(ramp::kViolet, 0.22), P(ramp::kViolet, 0.02), std::clamp(0.5 + u * 0.5 + y / len * 0.3, 0.0, 1.0)));
            }
        }
    }
    for (int x = 0; x < 640; ++x)
        for (int y = 0; y < 18 + int(10 * Fractal1(x / 20.0, 2, 94)); ++y) c.Set(x, y, P(ramp::kViolet, 0.02));
}

void PaintGate(Canvas& c, const GroundLine& ground) {
    const Tones obsidian{P(ramp::kViolet, 0.03), P(ramp::kViolet, 0.14), P(ramp::kViolet, 0.3)};
    // A rock ledge behind the path, and the black gate with its columns on the right.
    std::vector<double> ledge(640);
    for (int x = 0; x < 640; ++x) ledge[x] = ground[x] - 30 - 24 * Fractal1(x / 50.0, 3, 95);
    PaintRidge(c, ledge, P(ramp::kViolet, 0.2), P(ramp::kViolet, 0.05), 40, 0.3, 96);
    c.FillRect(470, 250, 620, ground[470], Mix(obsidian.dark, {0, 0, 0}, 0.5));
    PaintColumn(c, 470, ground[470] - 4, 200, 11, obsidian, false, 97);
    PaintColumn(c, 620, ground[620] - 4, 200, 11, obsidian, false, 98);
    c.FillRect(452, 236, 640, 252, obsidian.mid);
    c.FillRect(452, 236, 640, 238, obsidian.light);
    // Fire in the braziers either side of the road, and their light on the rock.
    for (double x : {150.0, 400.0}) {
        const double base = ground[int(x)] - 2;
        c.FillRect(int(x - 3), int(base - 34), int(x + 3), int(base), obsidian.mid);
        c.FillPolygon({{x - 14, base - 44}, {x + 14, base - 44}, {x + 8, base - 34}, {x - 8, base - 34}}, P(ramp::kGold, 0.3));
        PaintGlow(c, x, base - 60, 110, P(ramp::kFire, 0.6), 0.45);
        PaintFlame(c, x, base - 44, 22, 46, uint32_t(x));
    }
    // Embers drifting up.
    Scatter(c, 100, 200, 460, 400, 40, P(ramp::kFire, 0.8), 99);
}

void PaintDepths(Canvas& c, const GroundLine& ground) {
    // Under the path: black rock veined with the fire below.
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) {
            const double vein = std::fabs(Fractal2(x / 16.0, y / 10.0, 3, 100) - 0.5);
            Colour col = Mix(P(ramp::kViolet, 0.12), P(ramp::kViolet, 0.02), std::min(1.0, (y - ground[x]) / 40.0));
            if (vein < 0.025) col = P(ramp::kFire, 0.55);
            c.Set(x, y, col);
        }
}

}  // namespace

Scene PaintUnderworld(const GroundLine& ground) {
    Scene scene{Canvas(640, 480), {ramp::kViolet, ramp::kTeal, ramp::kFire, ramp::kGold, ramp::kGrey, ramp::kEarth},
                {6, ramp::kViolet, 129, 119}};
    PaintCavern(scene.canvas);
    PaintStalactites(scene.canvas);
    PaintGate(scene.canvas, ground);
    PaintDepths(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
