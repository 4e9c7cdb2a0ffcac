#include "art/scenery.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"

namespace datagen {

Colour GradientAt(const std::vector<GradientStop>& stops, double y) {
    if (y <= stops.front().y) return stops.front().colour;
    for (std::size_t i = 1; i < stops.size(); ++i)
        if (y <= stops[i].y) {
            const double t = (y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y);
            return Mix(stops[i - 1].colour, stops[i].colour, t);
        }
    return stops.back().colour;
}

void PaintSky(Canvas& canvas, const std::vector<GradientStop>& stops) {
    for (int y = 0; y < canvas.Height(); ++y) {
        const Colour c = GradientAt(stops, y);
        for (int x = 0; x < canvas.Width(); ++x) canvas.Set(x, y, c);
    }
}

void PaintGlow(Canvas& canvas, double cx, double cy, double radius, Colour colour, double strength) {
    const int y0 = std::max(0, static_cast<int>(cy - radius)),
              y1 = std::min(canvas.Height() - 1, static_cast<int>(cy + radius));
    const int x0 = std::max(0, static_cast<int>(cx - radius)),
              x1 = std::min(canvas.Width() - 1, static_cast<int>(cx + radius));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d < 1.0) canvas.Blend(x, y, colour, strength * std::pow(1.0 - d, 2.0));
        }
}

std::vector<double> RidgeLine(int width, double base, double amplitude, double wavelength, int octaves,
                              std::uint32_t seed) {
    std::vector<double> ridge(width);
    for (int x = 0; x < width; ++x) ridge[x] = base - amplitude * Fractal1(x / wavelength, octaves, seed);
    return ridge;
}

void PaintRidge(Canvas& canvas, const std::vector<double>& ridge, Colour top, Colour deep, double depth, double texture,
                std::uint32_t seed, int bottom) {
    if (bottom < 0) bottom = canvas.Height();
    for (int x = 0; x < canvas.Width(); ++x) {
        const int y0 = std::max(0, static_cast<int>(std::ceil(ridge[x] - 0.5)));
        for (int y = y0; y < bottom && y < canvas.Height(); ++y) {
            const double t = std::clamp((y - ridge[x]) / depth, 0.0, 1.0);
            const double grain = (Fractal2(x / 9.0, y / 5.0, 3, seed) - 0.5) * texture;
            canvas.Set(x, y, Scale(Mix(top, deep, t), 1.0 + grain));
        }
    }
}

void PaintClouds(Canvas& canvas, const CloudBand& band) {
    const double mid = (band.top + band.bottom) / 2, half = (band.bottom - band.top) / 2;
    auto density = [&](double x, double y) {
        const double falloff = 1.0 - std::pow(std::fabs(y - mid) / half, 2.0);
        const double n = Fractal2(x / (40.0 * band.stretch), y / 40.0, 4, band.seed);
        return std::clamp((n - (1.0 - band.coverage)) * 3.0 * falloff, 0.0, 1.0);
    };
    for (int y = std::max(0, static_cast<int>(band.top)); y < std::min<double>(canvas.Height(), band.bottom); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const double d = density(x, y);
            if (d <= 0.0) continue;
            // Thicker cloud above this point means this point lies in its shadow.
            const double above = density(x, y - 6);
            const double lit = std::clamp(0.5 + (d - above) * 2.5, 0.0, 1.0);
            canvas.Blend(x, y, Mix(band.shade, band.light, lit), std::min(1.0, d * 1.3));
        }
}

void PaintHaze(Canvas& canvas, double from, double to, Colour colour, double amount) {
    const int y0 = std::max(0, static_cast<int>(std::min(from, to)));
    const int y1 = std::min(canvas.Height() - 1, static_cast<int>(std::max(from, to)));
    for (int y = y0; y <= y1; ++y) {
        const double t = std::clamp((y - from) / (to - from), 0.0, 1.0);
        for (int x = 0; x < canvas.Width(); ++x) canvas.Blend(x, y, colour, t * amount);
    }
}

void FillTaper(Canvas& canvas, Point a, Point b, double ra, double rb, Colour colour) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len = std::hypot(dx, dy);
    if (len <= 0) return;
    const double nx = -dy / len, ny = dx / len;
    canvas.FillPolygon({{a.x + nx * ra, a.y + ny * ra},
                        {b.x + nx * rb, b.y + ny * rb},
                        {b.x - nx * rb, b.y - ny * rb},
                        {a.x - nx * ra, a.y - ny * ra}},
                       colour);
    canvas.FillEllipse(a.x, a.y, ra, ra, colour);
    canvas.FillEllipse(b.x, b.y, rb, rb, colour);
}

void Scatter(Canvas& canvas, int x0, int y0, int x1, int y1, int count, Colour colour, std::uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) canvas.Set(rng.Int(x0, x1 - 1), rng.Int(y0, y1 - 1), colour);
}

}  // namespace datagen
