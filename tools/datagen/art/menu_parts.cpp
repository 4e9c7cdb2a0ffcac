#include "art/menu_parts.h"

#include <algorithm>
#include <cmath>

#include "art/palette.h"

namespace datagen {
namespace {

// The key pattern in one 24x24 tile: 1 marks ink.
constexpr const char* kMeanderTile[12] = {"............", "11111111111.", "1.........1.", "1.1111111.1.",
                                          "1.1.....1.1.", "1.1.111.1.1.", "1.1.1.1.1.1.", "1.1.1...1.1.",
                                          "1.1.11111.1.", "1.1.......1.", "1.111111111.", "............"};

}  // namespace

void PaintMeanderBand(Canvas& canvas, int y0, Colour ink, Colour ground) {
    canvas.FillRect(0, y0, canvas.Width(), y0 + 24, ground);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const char cell = kMeanderTile[(y / 2) % 12][(x / 2) % 12];
            if (cell == '1') canvas.Set(x, y0 + y, ink);
        }
    canvas.FillRect(0, y0, canvas.Width(), y0 + 1, ink);
    canvas.FillRect(0, y0 + 23, canvas.Width(), y0 + 24, ink);
}

void PaintPanel(Canvas& canvas, int x0, int y0, int x1, int y1, double opacity, Colour frame) {
    constexpr double kRadius = 10;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const double dx = std::max({x0 + kRadius - x, x - (x1 - 1 - kRadius), 0.0});
            const double dy = std::max({y0 + kRadius - y, y - (y1 - 1 - kRadius), 0.0});
            const double d = std::hypot(dx, dy);
            if (d > kRadius) continue;
            canvas.Blend(x, y, {10, 6, 16}, opacity);
            if (d > kRadius - 2) {
                canvas.Set(x, y, frame);
                canvas.MarkCrisp(x, y);
            }
        }
}

int PaintKeyCap(Canvas& canvas, TextRenderer& text, const std::string& label, int x, int y) {
    constexpr int kHeight = 30;
    const int width = std::max(30, text.Width(label, Face::SansBold, 16) + 16);
    for (int py = y; py < y + kHeight; ++py)
        for (int px = x; px < x + width; ++px) {
            const bool corner = (px == x || px == x + width - 1) && (py == y || py == y + kHeight - 1);
            if (corner) continue;
            const bool border = px == x || px == x + width - 1 || py == y || py == y + kHeight - 1;
            const double t = double(py - y) / kHeight;
            Colour c = border ? Colour{40, 30, 24} : Mix({250, 236, 200}, {190, 160, 110}, t);
            if (!border && py >= y + kHeight - 4) c = {150, 120, 80};
            canvas.Set(px, py, c);
            canvas.MarkCrisp(px, py);
        }
    TextStyle style{Face::SansBold, 16, {50, 34, 24}, {50, 34, 24}, {}, 0, 0};
    text.DrawCentred(canvas, label, x + width / 2.0, y + 4, style);
    return width;
}

void StampPicture(Canvas& canvas, const IndexedImage& picture, int x, int y, int factor) {
    const Palette& pal = GamePalette();
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const std::uint8_t index = picture.At(px, py);
            if (index == 0) continue;
            for (int k = 0; k < factor * factor; ++k) {
                const int cx = x + px * factor + k % factor, cy = y + py * factor + k / factor;
                if (!canvas.Contains(cx, cy)) continue;
                canvas.Set(cx, cy, ToColour(pal[index]));
                canvas.MarkCrisp(cx, cy);
            }
        }
}

void StampThumbnail(Canvas& canvas, const IndexedImage& picture, int x, int y, int width, int height) {
    const Palette& pal = GamePalette();
    for (int ty = 0; ty < height; ++ty)
        for (int tx = 0; tx < width; ++tx) {
            const int sx0 = tx * picture.width / width, sx1 = (tx + 1) * picture.width / width;
            const int sy0 = ty * picture.height / height, sy1 = (ty + 1) * picture.height / height;
            Colour sum{};
            int n = 0;
            for (int sy = sy0; sy < sy1; ++sy)
                for (int sx = sx0; sx < sx1; ++sx) {
                    const Colour c = ToColour(pal[picture.At(sx, sy)]);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    ++n;
                }
            canvas.Set(x + tx, y + ty, Scale(sum, 1.0 / std::max(1, n)));
        }
}

}  // namespace datagen
