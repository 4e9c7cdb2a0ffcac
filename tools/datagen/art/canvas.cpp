#include "art/canvas.h"

#include <algorithm>
#include <cmath>

namespace datagen {

Colour ToColour(Rgb c) { return {double(c.r), double(c.g), double(c.b)}; }

Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, double k) { return {c.r * k, c.g * k, c.b * k}; }

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill),
      crisp_(static_cast<std::size_t>(width) * height, 0) {}

void Canvas::Set(int x, int y, Colour c) {
    if (Contains(x, y)) pixels_[Index(x, y)] = c;
}

void Canvas::Blend(int x, int y, Colour c, double opacity) {
    if (!Contains(x, y) || opacity <= 0) return;
    Colour& p = pixels_[Index(x, y)];
    p = Mix(p, c, std::min(opacity, 1.0));
}

void Canvas::ForEachInPolygon(const std::vector<Point>& polygon, const std::function<void(int, int)>& paint) const {
    ForEachPixelInPolygon(width_, height_, polygon, paint);
}

void ForEachPixelInPolygon(int width, int height, const std::vector<Point>& polygon,
                           const std::function<void(int, int)>& paint) {
    if (polygon.size() < 3) return;
    double top = polygon[0].y, bottom = polygon[0].y;
    for (const Point& p : polygon) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(bottom)));
    std::vector<double> crossings;
    for (int y = y0; y <= y1; ++y) {
        const double sy = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
            if ((a.y <= sy) != (b.y <= sy)) crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int x0 = std::max(0, static_cast<int>(std::ceil(crossings[i] - 0.5)));
            const int x1 = std::min(width - 1, static_cast<int>(std::ceil(crossings[i + 1] - 0.5)) - 1);
            for (int x = x0; x <= x1; ++x) paint(x, y);
        }
    }
}

void Canvas::FillPolygon(const std::vector<Point>& polygon, Colour c) {
    ForEachInPolygon(polygon, [&](int x, int y) { Set(x, y, c); });
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Colour c) {
    const int y0 = std::max(0, static_cast<int>(std::floor(cy - ry)));
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(cy + ry)));
    const int x0 = std::max(0, static_cast<int>(std::floor(cx - rx)));
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(cx + rx)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) Set(x, y, c);
        }
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Colour c) {
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) Set(x, y, c);
}

}  // namespace datagen
