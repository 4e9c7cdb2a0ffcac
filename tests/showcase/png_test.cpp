#include "png_reader.h"

#include <gtest/gtest.h>

namespace {

TEST(PngTest, IndexedImageReadsBackAcrossSeveralStoredBlocks) {
    // 301 x 250 bytes of rows: more than one stored block holds.
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
    const PngImage image = PngRead(PngEncodeIndexed(width, height, indices, palette.data()));
    ASSERT_EQ(image.error, "");
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    EXPECT_EQ(image.colourType, 3);
    ASSERT_EQ(image.palette.size(), 768u);
    for (int y = 0; y < height; y += 7) {
        EXPECT_EQ(image.rows[static_cast<size_t>(y) * (width + 1)], 0);  // filter: none
        for (int x = 0; x < width; x += 3) {
            const uint8_t i = indices[static_cast<size_t>(y) * width + x];
            ASSERT_EQ(image.Index(x, y), i);
            ASSERT_EQ(image.Rgb(x, y), (uint32_t{i} << 16) | (uint32_t(255 - i) << 8) |
                                           static_cast<uint8_t>(i * 3));
        }
    }
}

TEST(PngTest, KnownCrcOfTheEmptyEndChunk) {
    const uint8_t iend[4] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(PngCrc32(iend, 4), 0xAE426082u);
}

}  // namespace
