// A full-colour painting surface. Pictures are painted here and quantised to the palette last.
#pragma once

#include <functional>
#include <vector>

#include "core/types.h"

namespace datagen {

struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour ToColour(Rgb c);
Colour Mix(Colour a, Colour b, double t);  // t = 0 gives a, 1 gives b
Colour Scale(Colour c, double k);

struct Point {
    double x = 0, y = 0;
};

// Calls paint(x, y) for every pixel centre inside the polygon (even-odd rule), within a
// width x height grid.
void ForEachPixelInPolygon(int width, int height, const std::vector<Point>& polygon,
                           const std::function<void(int, int)>& paint);

class Canvas {
public:
    Canvas(int width, int height, Colour fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Colour Get(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Colour c);
    // Lays colour c over the pixel with the given opacity (0 leaves it, 1 replaces it).
    void Blend(int x, int y, Colour c, double opacity);

    // Pixels marked crisp are quantised without dithering (text, fine outlines).
    bool Crisp(int x, int y) const { return crisp_[Index(x, y)] != 0; }
    void MarkCrisp(int x, int y) { crisp_[Index(x, y)] = 1; }

    // Calls paint(x, y) for every pixel centre inside the polygon (even-odd rule).
    void ForEachInPolygon(const std::vector<Point>& polygon, const std::function<void(int, int)>& paint) const;
    void FillPolygon(const std::vector<Point>& polygon, Colour c);
    void FillEllipse(double cx, double cy, double rx, double ry, Colour c);
    void FillRect(int x0, int y0, int x1, int y1, Colour c);  // x1, y1 excluded

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_, height_;
    std::vector<Colour> pixels_;
    std::vector<std::uint8_t> crisp_;
};

}  // namespace datagen
