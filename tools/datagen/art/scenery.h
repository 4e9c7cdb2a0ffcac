// Painting tools for the landscapes and menu backdrops: skies, hills, clouds, light.
#pragma once

#include <cstdint>
#include <vector>

#include "art/canvas.h"

namespace datagen {

struct GradientStop {
    double y;
    Colour colour;
};

// Colour of a vertical gradient at row y; stops sorted by y, clamped at both ends.
Colour GradientAt(const std::vector<GradientStop>& stops, double y);

// Fills the whole canvas with a vertical gradient.
void PaintSky(Canvas& canvas, const std::vector<GradientStop>& stops);

// Brightens towards colour around a point, falling off smoothly to nothing at the radius.
void PaintGlow(Canvas& canvas, double cx, double cy, double radius, Colour colour, double strength);

// A silhouette line across the canvas: row of the top edge for each column.
std::vector<double> RidgeLine(int width, double base, double amplitude, double wavelength, int octaves,
                              std::uint32_t seed);

// Fills everything below the ridge (down to `bottom`) with a gradient from top to deep
// colour over `depth` rows, roughened by a noise texture of the given strength.
void PaintRidge(Canvas& canvas, const std::vector<double>& ridge, Colour top, Colour deep, double depth, double texture,
                std::uint32_t seed, int bottom = -1);

// Soft clouds in a horizontal band: lit from above in `light`, shaded below in `shade`.
struct CloudBand {
    double top, bottom;  // rows
    double coverage;     // 0 clear .. 1 overcast
    double stretch;      // horizontal stretch of the noise
    Colour light, shade;
    std::uint32_t seed;
};
void PaintClouds(Canvas& canvas, const CloudBand& band);

// Lays a colour over a band of rows with opacity rising from 0 at `from` to `amount` at `to`.
void PaintHaze(Canvas& canvas, double from, double to, Colour colour, double amount);

// A tapering stroke from a to b (radius ra at a, rb at b), flat colour.
void FillTaper(Canvas& canvas, Point a, Point b, double ra, double rb, Colour colour);

// Scattered dots (stars, flowers, sparks) of one colour inside a rectangle.
void Scatter(Canvas& canvas, int x0, int y0, int x1, int y1, int count, Colour colour, std::uint32_t seed);

}  // namespace datagen
