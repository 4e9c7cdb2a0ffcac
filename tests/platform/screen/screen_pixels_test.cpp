#include "platform/screen/screen_pixels.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// One frame of each kind, two pixels wide and one row high, converted in both byte orders: the
// channels land where each screen reads them, 5- and 6-bit channels widen to the full range.
TEST(ScreenPixels, EachKindOfFrameInEachByteOrder) {
    std::array<uint8_t, 4 * 256> palette{};
    palette[4 * 7 + 0] = 0x12;  // entry 7: red, green, blue
    palette[4 * 7 + 1] = 0x34;
    palette[4 * 7 + 2] = 0x56;
    const uint8_t indices[2] = {7, 0};
    const uint8_t words565[4] = {0x1F, 0xF8, 0xE0, 0x07};  // 0xF81F magenta, 0x07E0 green
    const uint8_t words555[4] = {0x1F, 0x7C, 0xE0, 0x03};  // 0x7C1F magenta, 0x03E0 green
    struct Case {
        HostFrame frame;
        ScreenPixelOrder order;
        uint32_t first, second;
    };
    const Case cases[] = {
        {{indices, 2, 2, 1, 8, 16, palette.data()}, ScreenPixelOrder::Argb, 0xFF123456u, 0xFF000000u},
        {{indices, 2, 2, 1, 8, 16, palette.data()}, ScreenPixelOrder::Rgba, 0xFF563412u, 0xFF000000u},
        {{indices, 2, 2, 1, 8, 16, nullptr}, ScreenPixelOrder::Rgba, 0xFF000000u, 0xFF000000u},
        {{words565, 4, 2, 1, 16, 16, nullptr}, ScreenPixelOrder::Argb, 0xFFFF00FFu, 0xFF00FF00u},
        {{words565, 4, 2, 1, 16, 16, nullptr}, ScreenPixelOrder::Rgba, 0xFFFF00FFu, 0xFF00FF00u},
        {{words555, 4, 2, 1, 16, 15, nullptr}, ScreenPixelOrder::Argb, 0xFFFF00FFu, 0xFF00FF00u},
    };
    for (const Case& c : cases) {
        uint32_t out[2] = {};
        ScreenPixelsConvert(c.frame, out, sizeof out, c.order);
        EXPECT_EQ(out[0], c.first) << c.frame.bitsPerPixel << " bits, order " << static_cast<int>(c.order);
        EXPECT_EQ(out[1], c.second) << c.frame.bitsPerPixel << " bits, order " << static_cast<int>(c.order);
    }
    // Red alone tells the orders apart in 16 bits too.
    const uint8_t red565[2] = {0x00, 0xF8};
    uint32_t argb = 0, rgba = 0;
    ScreenPixelsConvert({red565, 2, 1, 1, 16, 16, nullptr}, &argb, 4, ScreenPixelOrder::Argb);
    ScreenPixelsConvert({red565, 2, 1, 1, 16, 16, nullptr}, &rgba, 4, ScreenPixelOrder::Rgba);
    EXPECT_EQ(argb, 0xFFFF0000u);
    EXPECT_EQ(rgba, 0xFF0000FFu);
}

}  // namespace
