#include "platform/screen/frame_changes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {

struct Picture {
    Picture(int width, int height, int bytesPerPixel)
        : width(width), height(height), bytes(bytesPerPixel),
          pixels(static_cast<size_t>(width * height * bytesPerPixel)), palette(1024) {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 + i / 640);
        for (size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<uint8_t>(i);
    }
    HostFrame Frame() const {
        return {.pixels = pixels.data(),
                .pitch = width * bytes,
                .width = width,
                .height = height,
                .bitsPerPixel = 8 * bytes,
                .palette = bytes == 1 ? palette.data() : nullptr};
    }
    void Touch(int x, int y) { pixels[static_cast<size_t>((y * width + x) * bytes)] ^= 0x55; }
    int width, height, bytes;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> palette;
};

bool IsWhole(const std::vector<ScaleRect>& changes, const Picture& p) {
    return changes.size() == 1 && changes[0].x == 0 && changes[0].y == 0 && changes[0].width == p.width &&
           changes[0].height == p.height;
}

// A new picture, palette, depth or size changes everything; the same frame again changes nothing.
TEST(ShownFrame, WholeFrameOnlyWhenItsFormatChanges) {
    Picture picture(640, 480, 1);
    ShownFrame shown;
    EXPECT_TRUE(IsWhole(shown.Take(picture.Frame()), picture));
    EXPECT_TRUE(shown.Take(picture.Frame()).empty());

    picture.palette[4 * 200 + 1] ^= 1;
    EXPECT_TRUE(IsWhole(shown.Take(picture.Frame()), picture));
    EXPECT_TRUE(shown.Take(picture.Frame()).empty());

    Picture deeper(640, 480, 2);
    EXPECT_TRUE(IsWhole(shown.Take(deeper.Frame()), deeper));
    Picture smaller(320, 240, 1);
    EXPECT_TRUE(IsWhole(shown.Take(smaller.Frame()), smaller));

    shown.Forget();
    EXPECT_TRUE(shown.Empty());
    EXPECT_TRUE(IsWhole(shown.Take(smaller.Frame()), smaller));
}

// Two fighters' areas and a lone pixel in the last, partial tile: exactly the tiles they touch
// are reported, each once, and the kept frame is the new one (what a screenshot saves).
TEST(ShownFrame, ReportsTheTilesThatChanged) {
    for (int bytes : {1, 2}) {
        SCOPED_TRACE(bytes);
        Picture picture(632, 470, bytes);
        ShownFrame shown;
        shown.Take(picture.Frame());

        std::set<std::pair<int, int>> touched;
        auto touch = [&](int left, int top, int width, int height) {
            for (int y = top; y < top + height; ++y) {
                for (int x = left; x < left + width; ++x) {
                    picture.Touch(x, y);
                    touched.insert({x / kChangeTile, y / kChangeTile});
                }
            }
        };
        touch(20, 226, 72, 74);
        touch(540, 230, 72, 74);
        touch(631, 469, 1, 1);

        std::set<std::pair<int, int>> reported;
        for (const ScaleRect& r : shown.Take(picture.Frame())) {
            ASSERT_TRUE(r.x % kChangeTile == 0 && r.y % kChangeTile == 0);
            ASSERT_TRUE(r.x + r.width <= picture.width && r.y + r.height <= picture.height);
            for (int ty = r.y / kChangeTile; ty * kChangeTile < r.y + r.height; ++ty) {
                for (int tx = r.x / kChangeTile; tx * kChangeTile < r.x + r.width; ++tx) {
                    EXPECT_TRUE(reported.insert({tx, ty}).second) << "tile reported twice";
                }
            }
        }
        EXPECT_EQ(reported, touched);

        const HostFrame kept = shown.Frame();
        EXPECT_EQ(std::memcmp(kept.pixels, picture.pixels.data(), picture.pixels.size()), 0);
        EXPECT_TRUE(shown.Take(picture.Frame()).empty());
    }
}

}  // namespace
