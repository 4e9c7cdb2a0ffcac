#include "art/sprite_painter.h"

#include <algorithm>
#include <cmath>

namespace datagen {

SpritePainter::SpritePainter(int width, int height, bool lightFromLeft)
    : width_(width), height_(height), lightX_(lightFromLeft ? -0.55 : 0.55),
      pixels_(static_cast<std::size_t>(width) * height) {}

int SpritePainter::MaterialId(const Material& m) {
    for (std::size_t i = 0; i < materials_.size(); ++i) {
        const Material& o = materials_[i];
        if (o.ramp.first == m.ramp.first && o.dark == m.dark && o.light == m.light && o.shine == m.shine) return int(i);
    }
    materials_.push_back(m);
    return int(materials_.size()) - 1;
}

std::uint8_t SpritePainter::ShadeFor(double nx, double ny, const Material& m) const {
    // Surface normal from its screen-plane part; light from above, the side and the front.
    const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    const double lx = lightX_, ly = -0.65, lz = 0.6;
    const double len = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double diffuse = std::max(0.0, (nx * lx + ny * ly + nz * lz) / len);
    // Reflection of the light towards the viewer gives the highlight.
    const double rz = 2 * diffuse * nz - lz / len;
    const double specular = std::pow(std::max(0.0, rz), 12.0) * m.shine;
    const double lit = std::clamp(0.18 + 0.82 * diffuse + specular, 0.0, 1.0);
    std::uint8_t index = Shade(m.ramp, m.dark + (m.light - m.dark) * lit);
    return index == 0 ? 1 : index;
}

void SpritePainter::Paint(int x, int y, double nx, double ny, const Material& m, int group, bool outlined) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Pixel& p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    p.index = ShadeFor(nx, ny, m);
    p.group = static_cast<std::int16_t>(group);
    p.order = static_cast<std::int16_t>(order_);
    p.material = static_cast<std::int16_t>(MaterialId(m));
    p.outlined = outlined;
}

void SpritePainter::Capsule(Point a, Point b, double ra, double rb, const Material& m, int group) {
    ++order_;
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = std::max(1e-9, dx * dx + dy * dy);
    const double rmax = std::max(ra, rb);
    const int x0 = int(std::floor(std::min(a.x, b.x) - rmax)), x1 = int(std::ceil(std::max(a.x, b.x) + rmax));
    const int y0 = int(std::floor(std::min(a.y, b.y) - rmax)), y1 = int(std::ceil(std::max(a.y, b.y) + rmax));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) / len2, 0.0, 1.0);
            const double cx = a.x + dx * t, cy = a.y + dy * t, r = ra + (rb - ra) * t;
            const double ox = px - cx, oy = py - cy;
            const double d = std::hypot(ox, oy);
            if (d > r) continue;
            Paint(x, y, ox / (r + 0.4), oy / (r + 0.4), m, group, true);
        }
}

void SpritePainter::Ellipse(Point c, double rx, double ry, const Material& m, int group) {
    ++order_;
    for (int y = int(std::floor(c.y - ry)); y <= int(std::ceil(c.y + ry)); ++y)
        for (int x = int(std::floor(c.x - rx)); x <= int(std::ceil(c.x + rx)); ++x) {
            const double ux = (x + 0.5 - c.x) / rx, uy = (y + 0.5 - c.y) / ry;
            if (ux * ux + uy * uy > 1.0) continue;
            Paint(x, y, ux * 0.92, uy * 0.92, m, group, true);
        }
}

void SpritePainter::Polygon(const std::vector<Point>& shape, const Material& m, int group, double bevel) {
    ++order_;
    ForEachPixelInPolygon(width_, height_, shape, [&](int x, int y) {
        // Distance to the nearest edge, and the outward direction there, round the edges off.
        const double px = x + 0.5, py = y + 0.5;
        double best = 1e9, ox = 0, oy = 0;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            const Point a = shape[i], b = shape[(i + 1) % shape.size()];
            const double ex = b.x - a.x, ey = b.y - a.y, l2 = std::max(1e-9, ex * ex + ey * ey);
            const double t = std::clamp(((px - a.x) * ex + (py - a.y) * ey) / l2, 0.0, 1.0);
            const double qx = a.x + ex * t - px, qy = a.y + ey * t - py, d = std::hypot(qx, qy);
            if (d < best) {
                best = d;
                ox = qx / std::max(d, 1e-9);
                oy = qy / std::max(d, 1e-9);
            }
        }
        const double roll = std::clamp(1.0 - best / bevel, 0.0, 0.95);
        Paint(x, y, ox * roll, oy * roll, m, group, true);
    });
}

void SpritePainter::Blade(Point hilt, Point tip, double width, double curve, const Material& m, int group) {
    ++order_;
    const int id = MaterialId(m);
    const double dx = tip.x - hilt.x, dy = tip.y - hilt.y, len = std::max(1e-9, std::hypot(dx, dy));
    const double ux = dx / len, uy = dy / len;
    // The back of the blade is the side facing down-screen for a blade pointing forward.
    const double bx = -uy, by = ux;
    const int x0 = int(std::floor(std::min(hilt.x, tip.x) - width - std::fabs(curve))) - 1;
    const int x1 = int(std::ceil(std::max(hilt.x, tip.x) + width + std::fabs(curve))) + 1;
    const int y0 = int(std::floor(std::min(hilt.y, tip.y) - width - std::fabs(curve))) - 1;
    const int y1 = int(std::ceil(std::max(hilt.y, tip.y) + width + std::fabs(curve))) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            if (x < 0 || y < 0 || x >= width_ || y >= height_) continue;
            const double px = x + 0.5 - hilt.x, py = y + 0.5 - hilt.y;
            const double along = (px * ux + py * uy) / len;
            if (along < 0 || along > 1) continue;
            const double bend = curve * 4 * along * (1 - along) + curve * along * 0.6;
            const double across = px * bx + py * by - bend;
            // Full width along the blade, narrowing to a point over the last fifth.
            const double half = width / 2 * std::min(1.0, (1 - along) * 5);
            if (std::fabs(across) > half + 0.15) continue;
            const double u = across / std::max(half, 0.5);  // -1 edge .. +1 back
            double t = u < -0.2 ? m.light : u < 0.45 ? (m.light + m.dark) / 2 : m.dark;
            if (half < 0.9) t = m.light;
            Pixel& p = pixels_[static_cast<std::size_t>(y) * width_ + x];
            const std::uint8_t index = Shade(m.ramp, t);
            p = {static_cast<std::uint8_t>(index == 0 ? 1 : index), static_cast<std::int16_t>(group),
                 static_cast<std::int16_t>(order_), static_cast<std::int16_t>(id), false};
        }
}

void SpritePainter::Dot(int x, int y, std::uint8_t index, int group) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    ++order_;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = {index, static_cast<std::int16_t>(group),
                                                         static_cast<std::int16_t>(order_), -1, false};
}

IndexedImage SpritePainter::Finish(std::uint8_t outline) const {
    IndexedImage out(width_, height_);
    auto at = [&](int x, int y) -> const Pixel* {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
        return &pixels_[static_cast<std::size_t>(y) * width_ + x];
    };
    const int nx[4] = {1, -1, 0, 0}, ny[4] = {0, 0, 1, -1};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const Pixel& p = *at(x, y);
            if (p.group < 0) continue;
            std::uint8_t index = p.index;
            if (p.outlined) {
                bool edge = false, seam = false;
                for (int k = 0; k < 4; ++k) {
                    const Pixel* q = at(x + nx[k], y + ny[k]);
                    if (!q || q->group < 0)
                        edge = true;
                    else if (q->group != p.group && q->order < p.order)
                        seam = true;
                }
                if (edge)
                    index = outline;
                else if (seam && p.material >= 0) {
                    const Material& m = materials_[p.material];
                    index = Shade(m.ramp, std::max(0.0, m.dark - 0.12));
                    if (index == 0) index = outline;
                }
            }
            out.Set(x, y, index);
        }
    return out;
}

}  // namespace datagen
