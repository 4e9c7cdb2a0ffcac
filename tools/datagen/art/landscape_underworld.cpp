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

constexpr double kRiverTop = 322, kRiverBottom = 350;

// Light of the river: strongest at its surface, fading up the walls.
double RiverLight(double y) { return std::exp(-std::pow((y - (kRiverTop + kRiverBottom) / 2) / 70.0, 2)); }

void PaintCavern(Canvas& c) {
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const double rock = Fractal2(x / 18.0, y / 10.0, 4, 91);
            const double t = std::clamp(0.05 + rock * 0.35 + RiverLight(y) * 0.35 - 0.1, 0.0, 1.0);
            c.Set(
                x, y,
                Mix(P(ramp::kViolet, 0.03), Mix(P(ramp::kViolet, 0.35), P(ramp::kTeal, 0.35), RiverLight(y) * 0.6), t));
        }
    // Far halls: rows of dim columns carved into the back wall.
    const Tones far{P(ramp::kViolet, 0.1), P(ramp::kViolet, 0.18), P(ramp::kViolet, 0.26)};
    for (int i = 0; i < 9; ++i) PaintColumn(c, 30 + i * 72, kRiverTop - 2, 120, 8, far, i % 3 == 2, 300 + i);
    c.FillRect(0, int(kRiverTop) - 138, 640, int(kRiverTop) - 126, far.mid);
}

void PaintRiver(Canvas& c) {
    for (int y = int(kRiverTop); y < int(kRiverBottom); ++y)
        for (int x = 0; x < 640; ++x) {
            const double ripple = Fractal2(x / 26.0, y / 1.6, 2, 92);
            const double edge = 1.0 - std::fabs(y - (kRiverTop + kRiverBottom) / 2) / ((kRiverBottom - kRiverTop) / 2);
            c.Set(
                x, y,
                Mix(P(ramp::kTeal, 0.3), P(ramp::kTeal, 0.85), std::clamp(edge * 0.6 + ripple * 0.5 - 0.1, 0.0, 1.0)));
        }
    // The ferryman's boat, a dark sliver with its lone figure and pole.
    const Colour shade{10, 8, 18};
    c.FillPolygon({{486, 333}, {560, 333}, {552, 340}, {494, 340}}, shade);
    FillTaper(c, {532, 333}, {532, 314}, 3.5, 2.5, shade);
    c.FillEllipse(532, 310, 3, 4, shade);
    FillTaper(c, {540, 300}, {552, 346}, 0.6, 0.6, shade);
    PaintGlow(c, 320, 336, 330, P(ramp::kTeal, 0.55), 0.2);
}

void PaintStalactites(Canvas& c) {
    Rng rng(93);
    for (int i = 0; i < 44; ++i) {
        const double x = rng.Range(-10, 650), len = rng.Range(24, 130), w = rng.Range(8, 22);
        for (int y = 0; y < int(len); ++y) {
            const double half = w / 2 * std::pow(1.0 - y / len, 0.8);
            for (int px = int(x - half); px <= int(x + half); ++px) {
                const double u = (px - x) / std::max(half, 0.5);
                c.Set(px, y,
                      Mix(P(ramp::kViolet, 0.26), P(ramp::kViolet, 0.02),
                          std::clamp(0.45 + u * 0.5 - y / len * 0.25, 0.0, 1.0)));
            }
        }
    }
}

void PaintGate(Canvas& c, const GroundLine& ground) {
    // The black gate of the lord below, flanked by columns, in the middle of the hall.
    const Tones obsidian{P(ramp::kViolet, 0.04), P(ramp::kViolet, 0.16), P(ramp::kViolet, 0.34)};
    const double base = ground[300] - 14;
    c.FillRect(246, int(base - 170), 354, int(base), {4, 2, 8});
    PaintColumn(c, 240, base, 170, 12, obsidian, false, 97);
    PaintColumn(c, 360, base, 170, 12, obsidian, false, 98);
    c.FillRect(214, int(base - 196), 386, int(base - 180), obsidian.mid);
    c.FillRect(214, int(base - 196), 386, int(base - 194), obsidian.light);
    c.FillPolygon({{214, base - 196}, {300, base - 232}, {386, base - 196}}, obsidian.dark);
    c.FillPolygon({{226, base - 198}, {300, base - 226}, {374, base - 198}}, obsidian.mid);
    // A faint ember light deep inside the doorway.
    PaintGlow(c, 300, base - 40, 40, P(ramp::kRed, 0.4), 0.4);
    // Rock shelf the gate stands on, behind the road.
    std::vector<double> shelf(640);
    for (int x = 0; x < 640; ++x) shelf[x] = std::min<double>(ground[x] - 4, base + 2 - 10 * Fractal1(x / 40.0, 2, 95));
    PaintRidge(c, shelf, P(ramp::kViolet, 0.24), P(ramp::kViolet, 0.06), 40, 0.3, 96);
}

void PaintBraziers(Canvas& c, const GroundLine& ground) {
    for (double x : {150.0, 440.0}) {
        const double base = ground[int(x)] - 1;
        PaintGlow(c, x, base - 56, 120, P(ramp::kRed, 0.45), 0.5);
        PaintGlow(c, x, base - 56, 50, P(ramp::kFire, 0.6), 0.5);
        const Tones bronze{P(ramp::kGold, 0.1), P(ramp::kGold, 0.3), P(ramp::kGold, 0.55)};
        c.FillPolygon({{x - 9, base}, {x + 9, base}, {x + 4, base - 6}, {x - 4, base - 6}}, bronze.dark);
        FillTaper(c, {x, base - 6}, {x, base - 36}, 2.5, 2.0, bronze.mid);
        c.FillPolygon({{x - 15, base - 46}, {x + 15, base - 46}, {x + 8, base - 36}, {x - 8, base - 36}}, bronze.mid);
        c.FillRect(int(x - 15), int(base - 47), int(x + 15), int(base - 45), bronze.light);
        PaintFlame(c, x, base - 46, 24, 50, uint32_t(x));
    }
    Scatter(c, 100, 180, 500, 400, 50, P(ramp::kFire, 0.8), 99);
}

void PaintDepths(Canvas& c, const GroundLine& ground) {
    // Under the path: black rock veined with the fire below, and old bones.
    for (int x = 0; x < 640; ++x)
        for (int y = ground[x]; y < 480; ++y) {
            const double vein = std::fabs(Fractal2(x / 16.0, y / 10.0, 3, 100) - 0.5);
            Colour col = Mix(P(ramp::kViolet, 0.16), P(ramp::kViolet, 0.03), std::min(1.0, (y - ground[x]) / 30.0));
            if (vein < 0.03) col = Mix(P(ramp::kRed, 0.5), P(ramp::kFire, 0.6), 1 - vein / 0.03);
            c.Set(x, y, col);
        }
}

}  // namespace

Scene PaintUnderworld(const GroundLine& ground) {
    Scene scene{Canvas(640, 480),
                {ramp::kViolet, ramp::kTeal, ramp::kFire, ramp::kRed, ramp::kGold, ramp::kGrey},
                {6, ramp::kViolet, 129, 1}};
    PaintCavern(scene.canvas);
    PaintRiver(scene.canvas);
    PaintStalactites(scene.canvas);
    PaintGate(scene.canvas, ground);
    PaintBraziers(scene.canvas, ground);
    PaintDepths(scene.canvas, ground);
    return scene;
}

}  // namespace datagen
