// Trees, bushes and grass for the landscapes.
#pragma once

#include <cstdint>

#include "art/canvas.h"

namespace datagen {

struct FoliageColours {
    Colour dark, mid, light;
};

// A gnarled olive tree: twisted trunk, broad silvery crown. `height` from roots to crown top.
void PaintOliveTree(Canvas& canvas, double x, double baseY, double height, Colour bark, const FoliageColours& leaves,
                    std::uint32_t seed);

// A slender cypress, lit from the left.
void PaintCypress(Canvas& canvas, double x, double baseY, double height, const FoliageColours& leaves,
                  std::uint32_t seed);

// A round bush of leaves.
void PaintBush(Canvas& canvas, double x, double baseY, double radius, const FoliageColours& leaves, std::uint32_t seed);

// Blades of grass standing on the given row, across columns x0..x1.
void PaintGrass(Canvas& canvas, int x0, int x1, const int* groundTop, double height, const FoliageColours& blades,
                std::uint32_t seed);

}  // namespace datagen
