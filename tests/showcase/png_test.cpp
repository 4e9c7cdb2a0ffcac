#include "png_reader.h"

#include "platform/screen/png.h"

#include <gtest/gtest.h>

namespace {

TEST(PngTest, IndexedImageReadsBackExactlyAndCompressed) {
    const int width = 300, height = 250;
    std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i * 7 + i / 300);
    std::vector<uint8_t> palette(1024);
    for (int i = 0; i < 256; ++i) {
        palette[4 * i] = static_cast<uint8_t>(i);
        palette[4 * i + 1] = static_cast<uint8_t>(255 - i);
        palette[4 * i + 2] = static_cast<uint8_t>(i * 3);
        palette[4 * i + 3] = 99;  // the flags byte is not written
    }
    const std::vector<uint8_t> bytes = PngEncodeIndexed(width, height, indices, palette.data());
    EXPECT_LT(bytes.size(), indices.size() / 2);  // a repeating pattern packs well
    const PngImage image = PngRead(bytes);
    ASSERT_EQ(image.error, "");
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    EXPECT_EQ(image.colourType, 3);
    ASSERT_EQ(image.palette.size(), 768u);
    for (int y = 0; y < height; y += 7) {
        for (int x = 0; x < width; x += 3) {
            const uint8_t i = indices[static_cast<size_t>(y) * width + x];
            ASSERT_EQ(image.Index(x, y), i);
            ASSERT_EQ(image.Rgb(x, y), (uint32_t{i} << 16) | (uint32_t(255 - i) << 8) | static_cast<uint8_t>(i * 3));
        }
    }
}

}  // namespace
