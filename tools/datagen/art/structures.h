// Built and fallen things in the landscapes: temples, columns, statues, rocks, fire, arms.
#pragma once

#include <cstdint>

#include "art/canvas.h"

namespace datagen {

// Three tones of one material, lit from the left.
struct Tones {
    Colour dark, mid, light;
};

// A fluted column standing on baseY, with a square capital; `broken` cuts it off jaggedly.
void PaintColumn(Canvas& canvas, double x, double baseY, double height, double radius, const Tones& stone, bool broken,
                 std::uint32_t seed);

// A temple front: steps, a row of columns, architrave and pediment.
void PaintTemple(Canvas& canvas, double x0, double x1, double baseY, double height, const Tones& stone,
                 std::uint32_t seed);

// A boulder resting on baseY.
void PaintRock(Canvas& canvas, double x, double baseY, double width, double height, const Tones& stone,
               std::uint32_t seed);

// A warrior turned to stone, facing right or left, on a plinth of the given height.
void PaintStatue(Canvas& canvas, double x, double baseY, double height, bool facingRight, const Tones& stone,
                 std::uint32_t seed);

// A flame rising from (x, baseY), of the given height; colours from the fire ramp.
void PaintFlame(Canvas& canvas, double x, double baseY, double width, double height, std::uint32_t seed);

// A spear stuck in the ground at an angle (radians from upright, positive leaning right).
void PaintSpear(Canvas& canvas, double x, double baseY, double length, double angle, Colour shaft, Colour head);

// A round shield seen edge-on at an angle, lying or leaning on the ground.
void PaintShield(Canvas& canvas, double x, double y, double radius, const Tones& metal, Colour emblem);

}  // namespace datagen
