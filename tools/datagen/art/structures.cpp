#include "art/structures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "art/scenery.h"
#include "core/random.h"

namespace datagen {
namespace {

// Shade across a cylinder: light on the left, dark on the right edge.
Colour Cylinder(const Tones& t, double u) {
    const double lit = std::clamp(0.75 - 0.9 * u - 0.35 * u * u, 0.0, 1.0);
    return lit < 0.5 ? Mix(t.dark, t.mid, lit * 2) : Mix(t.mid, t.light, lit * 2 - 1);
}

void PaintBlock(Canvas& canvas, double x0, double y0, double x1, double y1, const Tones& t) {
    canvas.FillRect(int(x0), int(y0), int(x1), int(y1), t.mid);
    canvas.FillRect(int(x0), int(y0), int(x1), int(y0) + 1, t.light);
    canvas.FillRect(int(x0), int(y1) - 1, int(x1), int(y1), t.dark);
}

}  // namespace

void PaintColumn(Canvas& canvas, double x, double baseY, double height, double radius, const Tones& stone, bool broken,
                 std::uint32_t seed) {
    const double top = baseY - height;
    const int flutes = std::max(3, int(radius));
    for (int y = int(top); y < int(baseY); ++y) {
        double edge = 0;
        if (broken) edge = (Fractal1(y * 0.0 + x / 3.0, 1, seed) - 0.5) * radius * 2;
        for (int px = int(x - radius); px <= int(x + radius); ++px) {
            const double u = (px + 0.5 - x) / radius;
            if (std::fabs(u) > 1.0) continue;
            if (broken && y < top + radius * 1.5 + edge * u) continue;
            Colour c = Cylinder(stone, u);
            // Flutes: thin darker grooves running up the shaft.
            if (int((u + 1) * flutes) % 2 == 1 && std::fabs(u) < 0.85) c = Mix(c, stone.dark, 0.25);
            canvas.Set(px, y, c);
        }
    }
    if (!broken) {
        PaintBlock(canvas, x - radius * 1.5, top - radius * 0.9, x + radius * 1.5, top, stone);
        PaintBlock(canvas, x - radius * 1.2, top, x + radius * 1.2, top + radius * 0.4, stone);
    }
    PaintBlock(canvas, x - radius * 1.4, baseY - radius * 0.6, x + radius * 1.4, baseY, stone);
}

void PaintTemple(Canvas& canvas, double x0, double x1, double baseY, double height, const Tones& stone,
                 std::uint32_t seed) {
    const double step = height * 0.05;
    for (int i = 0; i < 3; ++i)
        PaintBlock(canvas, x0 - (3 - i) * step, baseY - (i + 1) * step, x1 + (3 - i) * step, baseY - i * step, stone);
    const double floor = baseY - 3 * step;
    const double columnHeight = height * 0.62, radius = height * 0.045;
    const int count = std::max(2, int((x1 - x0) / (radius * 6)));
    // The shadowed back wall between the columns, darkest under the roof.
    for (int y = int(floor - columnHeight); y < int(floor); ++y) {
        const double t = (y - (floor - columnHeight)) / columnHeight;
        canvas.FillRect(int(x0), y, int(x1), y + 1, Mix(Mix(stone.dark, {0, 0, 0}, 0.45), stone.dark, t));
    }
    for (int i = 0; i < count; ++i) {
        const double cx = x0 + radius * 1.5 + (x1 - x0 - radius * 3) * i / (count - 1);
        PaintColumn(canvas, cx, floor, columnHeight, radius, stone, false, seed + i);
    }
    const double beam = floor - columnHeight - radius * 0.9;
    PaintBlock(canvas, x0 - step, beam - height * 0.08, x1 + step, beam, stone);
    PaintBlock(canvas, x0 - step * 1.5, beam - height * 0.13, x1 + step * 1.5, beam - height * 0.08, stone);
    const double roof = beam - height * 0.13;
    const double mid = (x0 + x1) / 2;
    canvas.FillPolygon({{x0 - step * 2, roof}, {mid, roof - height * 0.2}, {x1 + step * 2, roof}}, stone.light);
    canvas.FillPolygon({{x0 + step, roof - 1}, {mid, roof - height * 0.2 + step * 1.3}, {x1 - step, roof - 1}},
                       stone.mid);
}

void PaintRock(Canvas& canvas, double x, double baseY, double width, double height, const Tones& stone,
               std::uint32_t seed) {
    const double rx = width / 2, cy = baseY - height * 0.45;
    for (int y = int(baseY - height); y <= int(baseY); ++y)
        for (int px = int(x - rx); px <= int(x + rx); ++px) {
            const double u = (px - x) / rx, v = (y - cy) / (height * 0.55);
            const double wobble = (Fractal2(px / 6.0, y / 6.0, 2, seed) - 0.5) * 0.5;
            if (u * u + v * v > 1.0 + wobble || y > baseY) continue;
            const double facet = Fractal2(px / 4.0, y / 3.0, 2, seed + 1);
            const double lit = std::clamp(0.6 - 0.5 * u - 0.45 * v + (facet - 0.5) * 0.5, 0.0, 1.0);
            canvas.Set(px, y,
                       lit < 0.5 ? Mix(stone.dark, stone.mid, lit * 2) : Mix(stone.mid, stone.light, lit * 2 - 1));
        }
}

void PaintStatue(Canvas& canvas, double x, double baseY, double height, bool facingRight, const Tones& stone,
                 std::uint32_t seed) {
    Rng rng(seed);
    const double s = height / 60.0, dir = facingRight ? 1 : -1;
    PaintBlock(canvas, x - 12 * s, baseY - 8 * s, x + 12 * s, baseY, stone);
    const double foot = baseY - 8 * s;
    const Point hip{x, foot - 24 * s}, neck{x + dir * 2 * s, foot - 42 * s};
    // Legs apart, a torso, a raised arm with a spear or a shield arm, a helmeted head.
    FillTaper(canvas, hip, {x - dir * 7 * s, foot}, 3 * s, 2.2 * s, stone.mid);
    FillTaper(canvas, hip, {x + dir * 8 * s, foot}, 3 * s, 2.2 * s, stone.dark);
    FillTaper(canvas, hip, neck, 5 * s, 6 * s, stone.mid);
    FillTaper(canvas, {hip.x - 2 * s, hip.y}, {neck.x - 3 * s, neck.y + 2 * s}, 2 * s, 2.5 * s, stone.light);
    canvas.FillEllipse(neck.x + dir * s, neck.y - 5 * s, 4 * s, 4.5 * s, stone.mid);
    canvas.FillEllipse(neck.x, neck.y - 6 * s, 2.5 * s, 3 * s, stone.light);
    canvas.FillPolygon({{neck.x - 4 * s, neck.y - 8 * s},
                        {neck.x + dir * 1 * s, neck.y - 17 * s},
                        {neck.x + dir * 6 * s, neck.y - 8 * s}},
                       stone.light);
    const Point hand{neck.x + dir * 12 * s, neck.y - rng.Range(2, 12) * s};
    FillTaper(canvas, {neck.x + dir * 3 * s, neck.y + 2 * s}, hand, 2 * s, 1.6 * s, stone.mid);
    FillTaper(canvas, {hand.x, hand.y + 16 * s}, {hand.x, hand.y - 20 * s}, 0.9 * s, 0.9 * s, stone.dark);
    PaintShield(canvas, neck.x - dir * 4 * s, neck.y + 8 * s, 7 * s, stone, stone.dark);
}

void PaintFlame(Canvas& canvas, double x, double baseY, double width, double height, std::uint32_t seed) {
    const Colour deep{150, 40, 0}, orange{240, 120, 10}, yellow{255, 210, 80}, white{255, 250, 210};
    for (int y = int(baseY - height); y <= int(baseY); ++y) {
        const double t = (baseY - y) / height;  // 0 base .. 1 tip
        const double sway = (Fractal1(y / 9.0, 2, seed) - 0.5) * width * 0.8 * t;
        const double half = width / 2 * std::pow(1.0 - t, 0.7) * (0.7 + 0.6 * Fractal1(y / 5.0, 2, seed + 1));
        for (int px = int(x - width); px <= int(x + width); ++px) {
            const double u = std::fabs(px - x - sway) / std::max(half, 0.3);
            if (u > 1.0) continue;
            const double heat = (1.0 - u) * (1.0 - t * 0.8);
            const Colour c = heat > 0.7 ? white : heat > 0.45 ? yellow : heat > 0.2 ? orange : deep;
            canvas.Set(px, y, c);
        }
    }
}

void PaintSpear(Canvas& canvas, double x, double baseY, double length, double angle, Colour shaft, Colour head) {
    const Point tip{x + std::sin(angle) * length, baseY - std::cos(angle) * length};
    FillTaper(canvas, {x, baseY}, tip, 0.8, 0.7, shaft);
    const Point headEnd{x + std::sin(angle) * (length + 7), baseY - std::cos(angle) * (length + 7)};
    FillTaper(canvas, tip, headEnd, 1.6, 0.2, head);
}

void PaintShield(Canvas& canvas, double x, double y, double radius, const Tones& metal, Colour emblem) {
    canvas.FillEllipse(x, y, radius, radius, metal.dark);
    canvas.FillEllipse(x - radius * 0.08, y - radius * 0.08, radius * 0.85, radius * 0.85, metal.mid);
    canvas.FillEllipse(x - radius * 0.3, y - radius * 0.3, radius * 0.35, radius * 0.3, metal.light);
    canvas.FillEllipse(x, y, radius * 0.25, radius * 0.25, emblem);
}

}  // namespace datagen
