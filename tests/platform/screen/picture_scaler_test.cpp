#include "platform/screen/picture_scaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A 640x480 8-bit frame of noise in a random palette: every pixel differs from its neighbours,
// so any wrong source pixel or weight shows.
struct Noise {
    explicit Noise(unsigned seed) : pixels(kWidth * kHeight), palette(1024) {
        std::mt19937 random(seed);
        for (uint8_t& p : pixels) p = static_cast<uint8_t>(random());
        for (uint8_t& c : palette) c = static_cast<uint8_t>(random());
    }
    HostFrame Frame() const {
        return {
            .pixels = pixels.data(), .pitch = kWidth, .width = kWidth, .height = kHeight, .palette = palette.data()};
    }
    uint32_t Colour(int x, int y) const {
        const uint8_t* e = &palette[4 * pixels[static_cast<size_t>(y * kWidth + x)]];
        return 0xFF000000u | (uint32_t{e[0]} << 16) | (uint32_t{e[1]} << 8) | e[2];
    }
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> palette;
};

// The two steps as the screen did them: the picture enlarged `k` times by repeating pixels,
// then that sampled bilinearly at the output pixel's centre (edges clamped).
uint32_t ReferencePixel(const Noise& noise, int k, const ScaleRect& target, int x, int y) {
    const int enlargedWidth = kWidth * k, enlargedHeight = kHeight * k;
    const double u = (x - target.x + 0.5) * enlargedWidth / target.width - 0.5;
    const double v = (y - target.y + 0.5) * enlargedHeight / target.height - 0.5;
    const int u0 = static_cast<int>(std::floor(u)), v0 = static_cast<int>(std::floor(v));
    const double fu = u - u0, fv = v - v0;
    auto at = [&](int px, int py) {
        px = std::clamp(px, 0, enlargedWidth - 1);
        py = std::clamp(py, 0, enlargedHeight - 1);
        return noise.Colour(px / k, py / k);
    };
    uint32_t result = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        auto c = [&](int px, int py) { return static_cast<double>((at(px, py) >> shift) & 0xFF); };
        const double top = c(u0, v0) * (1 - fu) + c(u0 + 1, v0) * fu;
        const double bottom = c(u0, v0 + 1) * (1 - fu) + c(u0 + 1, v0 + 1) * fu;
        result |= static_cast<uint32_t>(std::lround(top * (1 - fv) + bottom * fv)) << shift;
    }
    return result;
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return most;
}

std::vector<uint32_t> DrawWhole(PictureScaler& scaler, const HostFrame& frame, int w, int h) {
    scaler.Plan(kWidth, kHeight, w, h);
    scaler.Take(frame, {0, 0, kWidth, kHeight});
    std::vector<uint32_t> out(static_cast<size_t>(w) * static_cast<size_t>(h), 0x12345678u);
    scaler.DrawAll(out.data(), w * 4);
    return out;
}

// Full screens, a window of twice the size (exact), a small window (no whole enlargement) and a
// wide window with bars: every pixel within 1 of the reference in each channel, exactly equal
// when the target is a whole multiple, opaque black outside the target.
TEST(PictureScaler, MatchesEnlargingThenSmoothing) {
    const Noise noise(7);
    const int outputs[][2] = {{1024, 768}, {1920, 1080}, {1280, 960}, {500, 400}, {900, 500}};
    for (const auto& [w, h] : outputs) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        PictureScaler scaler;
        const std::vector<uint32_t> out = DrawWhole(scaler, noise.Frame(), w, h);
        const ScalePlan plan = scaler.Current();
        const ScaleRect& t = plan.target;
        int worst = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t got = out[static_cast<size_t>(y * w + x)];
                const bool inside = x >= t.x && x < t.x + t.width && y >= t.y && y < t.y + t.height;
                if (!inside) {
                    ASSERT_EQ(got, 0xFF000000u) << x << "," << y;
                    continue;
                }
                worst = std::max(worst, ChannelDistance(got, ReferencePixel(noise, plan.prescale, t, x, y)));
            }
        }
        EXPECT_LE(worst, plan.exact ? 0 : 1);
    }
}

// Redrawing only the output areas of what changed gives the same output as drawing the new
// picture whole, and those areas stay small.
TEST(PictureScaler, ChangedAreasRedrawLikeTheWhole) {
    const Noise before(1);
    Noise after = before;
    const ScaleRect changed[] = {{20, 226, 72, 74}, {540, 226, 72, 74}, {639, 0, 1, 1}};
    for (const ScaleRect& r : changed) {
        for (int y = r.y; y < r.y + r.height; ++y) {
            for (int x = r.x; x < r.x + r.width; ++x) after.pixels[static_cast<size_t>(y * kWidth + x)] ^= 0x5A;
        }
    }
    for (const auto& [w, h] : {std::pair{1024, 768}, {1920, 1080}, {1280, 960}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        PictureScaler scaler;
        std::vector<uint32_t> out = DrawWhole(scaler, before.Frame(), w, h);
        const double scale = static_cast<double>(scaler.Current().target.width) / kWidth;
        for (const ScaleRect& r : changed) {
            scaler.Take(after.Frame(), r);
            const ScaleRect area = scaler.OutputArea(r);
            EXPECT_LE(area.width, std::ceil(r.width * scale) + 2);
            EXPECT_LE(area.height, std::ceil(r.height * scale) + 2);
            scaler.Draw(area, out.data(), w * 4);
        }
        PictureScaler whole;
        EXPECT_TRUE(out == DrawWhole(whole, after.Frame(), w, h));
    }
}

}  // namespace
