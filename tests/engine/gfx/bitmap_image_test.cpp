#include "engine/gfx/bitmap_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

BitmapFile Sheet(int width, int height) {
    BitmapFile file;
    file.infoHeader.biWidth = width;
    file.infoHeader.biHeight = height;
    file.infoHeader.biBitCount = 8;
    file.pixels.resize(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            file.pixels[static_cast<size_t>(y * width + x)] = static_cast<uint8_t>(x + 3 * y);
    return file;
}

TEST(BitmapImage, CreatedButNotLoadedDrawsNothing) {
    BitmapImage image;
    ASSERT_EQ(BitmapImageCreate(&image, 0, 0, 4, 4, 8), 1);
    EXPECT_EQ(image.byteCount, 16);
    uint8_t dest[16] = {9};
    EXPECT_EQ(BitmapImageDraw(&image, dest, 4, 0), 0);
    EXPECT_EQ(dest[0], 9);
}

TEST(BitmapImage, CellAndPixelModesTakeTheirRectangles) {
    const BitmapFile sheet = Sheet(200, 140);
    BitmapImage image;
    BitmapImageCreate(&image, 0, 0, 64, 64, 8);
    ASSERT_EQ(BitmapImageLoad(&image, &sheet, 2, 1, 0), 1);
    EXPECT_EQ(image.pixels[0], static_cast<uint8_t>(131 + 3 * 66));
    ASSERT_EQ(BitmapImageLoad(&image, &sheet, 5, 6, 1), 1);
    EXPECT_EQ(image.pixels[0], static_cast<uint8_t>(5 + 3 * 6));
    EXPECT_NE(image.attributes & IMAGE_LOADED, 0);
}

TEST(BitmapImage, LoadRefusesARectangleOutsideThePicture) {
    const BitmapFile sheet = Sheet(100, 100);
    BitmapImage image;
    BitmapImageCreate(&image, 0, 0, 64, 64, 8);
    EXPECT_EQ(BitmapImageLoad(&image, &sheet, 1, 0, 0), 0);  // cell 1 starts at 66
    EXPECT_EQ(BitmapImageLoad(&image, &sheet, 37, 0, 1), 0);
    EXPECT_EQ(BitmapImageLoad(&image, &sheet, -1, 0, 1), 0);
    EXPECT_EQ(image.attributes & IMAGE_LOADED, 0);
    const BitmapFile empty;
    EXPECT_EQ(BitmapImageLoad(&image, &empty, 0, 0, 1), 0);
}

TEST(BitmapImage, TransparentDrawKeepsTheDestinationUnderColourZero) {
    BitmapFile row;
    row.infoHeader.biWidth = 4;
    row.pixels = {0, 5, 0, 7};
    BitmapImage image;
    BitmapImageCreate(&image, 0, 0, 4, 1, 8);
    BitmapImageLoad(&image, &row, 0, 0, 1);
    uint8_t dest[4] = {1, 1, 1, 1};
    EXPECT_EQ(BitmapImageDraw(&image, dest, 4, 1), 1);
    EXPECT_EQ(dest[0], 1);
    EXPECT_EQ(dest[1], 5);
    EXPECT_EQ(dest[2], 1);
    EXPECT_EQ(dest[3], 7);
    EXPECT_EQ(BitmapImageDraw(&image, dest, 4, 0), 1);
    EXPECT_EQ(dest[0], 0);
}

TEST(BitmapImage, DrawStartsAtItsPosition) {
    BitmapFile one;
    one.infoHeader.biWidth = 1;
    one.pixels = {42};
    BitmapImage image;
    BitmapImageCreate(&image, 10, 20, 1, 1, 8);
    BitmapImageLoad(&image, &one, 0, 0, 1);
    std::vector<uint8_t> dest(1024 * 21);
    BitmapImageDraw(&image, dest.data(), 1024, 0);
    EXPECT_EQ(dest[20 * 1024 + 10], 42);
}

TEST(BitmapImage, SixteenBitDrawSkipsZeroWordsAndPlacesRowsByHalfThePitch) {
    // Words 0x0000 0x0100 0x0001 / 0x1234 0x0000 0x00FF, drawn at (1, 1) with a pitch of 11
    // bytes: rows start 5 words apart, the image at word 6.
    BitmapFile words;
    words.infoHeader.biWidth = 3;
    words.infoHeader.biBitCount = 16;
    words.pixels = {0, 0, 0, 1, 1, 0, 0x34, 0x12, 0, 0, 0xFF, 0};
    BitmapImage image;
    BitmapImageCreate(&image, 1, 1, 3, 2, 16);
    ASSERT_EQ(BitmapImageLoad16(&image, &words, 0, 0, 1), 1);
    uint16_t dest[14];
    std::fill(std::begin(dest), std::end(dest), 9);
    EXPECT_EQ(BitmapImageDraw16(&image, reinterpret_cast<uint8_t*>(dest), 11, 1), 1);
    const uint16_t want[14] = {9, 9, 9, 9, 9, 9, 9, 0x0100, 0x0001, 9, 9, 0x1234, 9, 0x00FF};
    EXPECT_TRUE(std::equal(std::begin(dest), std::end(dest), want));
    uint16_t opaque[14];
    std::fill(std::begin(opaque), std::end(opaque), 9);
    BitmapImageDraw16(&image, reinterpret_cast<uint8_t*>(opaque), 11, 0);
    EXPECT_EQ(opaque[6], 0);
    EXPECT_EQ(opaque[13], 0x00FF);
}

std::vector<uint8_t> Scrolled(int dx, int dy = 0, int32_t* result = nullptr) {
    BitmapFile row;
    row.infoHeader.biWidth = 4;
    row.pixels = {1, 2, 3, 4};
    BitmapImage image;
    BitmapImageCreate(&image, 0, 0, 4, 1, 8);
    BitmapImageLoad(&image, &row, 0, 0, 1);
    const int32_t r = BitmapImageScroll(&image, dx, dy);
    if (result) *result = r;
    return image.pixels;
}

TEST(BitmapImage, ScrollWrapsAround) {
    EXPECT_EQ(Scrolled(1), (std::vector<uint8_t>{4, 1, 2, 3}));
    EXPECT_EQ(Scrolled(-1), (std::vector<uint8_t>{2, 3, 4, 1}));
    EXPECT_EQ(Scrolled(5), (std::vector<uint8_t>{4, 1, 2, 3}));
    EXPECT_EQ(Scrolled(-5), (std::vector<uint8_t>{2, 3, 4, 1}));
    int32_t result = 0;
    EXPECT_EQ(Scrolled(-4, 0, &result), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Scrolled(0, 5, &result), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(result, 1);
    Scrolled(0, 0, &result);
    EXPECT_EQ(result, 0);
}

TEST(BitmapImage, DrawsRefuseARecordWhoseDepthOrBufferDoesNotMatch) {
    const BitmapFile sheet = Sheet(8, 8);
    BitmapImage eight;
    BitmapImageCreate(&eight, 0, 0, 8, 8, 8);
    ASSERT_EQ(BitmapImageLoad(&eight, &sheet, 0, 0, 1), 1);
    std::vector<uint8_t> screen(16 * 16 * 2, 9);
    EXPECT_EQ(BitmapImageDraw16(&eight, screen.data(), 32, 0), 0);  // 8-bit pixels, 16-bit draw
    BitmapImage sixteen;
    BitmapImageCreate(&sixteen, 0, 0, 4, 4, 16);
    sixteen.attributes |= IMAGE_LOADED;
    EXPECT_EQ(BitmapImageDraw(&sixteen, screen.data(), 16, 0), 0);  // and the other way round
    BitmapImage shrunk = eight;
    shrunk.pixels.resize(10);  // a buffer smaller than width x height
    EXPECT_EQ(BitmapImageDraw(&shrunk, screen.data(), 16, 0), 0);
    shrunk.height = -1;
    EXPECT_EQ(BitmapImageDraw(&shrunk, screen.data(), 16, 0), 0);
    EXPECT_TRUE(std::all_of(screen.begin(), screen.end(), [](uint8_t b) { return b == 9; }));
}

TEST(BitmapImage, ARefusedCreateLeavesTheRecordAsItWas) {
    const BitmapFile sheet = Sheet(640, 480);
    BitmapImage image;
    BitmapImageCreate(&image, 0, 0, 640, 480, 8);
    ASSERT_EQ(BitmapImageLoad(&image, &sheet, 0, 0, 1), 1);
    const std::vector<uint8_t> picture = image.pixels;
    EXPECT_EQ(BitmapImageCreate(&image, 0, 0, 0, 0, 8), 0);
    EXPECT_EQ(BitmapImageCreate(&image, 0, 0, 100000, 100000, 8), 0);
    EXPECT_EQ(image.pixels, picture);
    std::vector<uint8_t> screen(640 * 480);
    EXPECT_EQ(BitmapImageDraw(&image, screen.data(), 640, 0), 1);
    EXPECT_EQ(screen, picture);
    EXPECT_EQ(BitmapImageDestroy(&image), 1);
}

TEST(BitmapImage, CopyBetweenDepthsCountsInTheSourcesBytes) {
    BitmapImage wide, narrow;
    BitmapImageCreate(&wide, 0, 0, 4, 2, 16);   // 16 bytes
    BitmapImageCreate(&narrow, 0, 0, 8, 4, 8);  // 32 bytes
    for (size_t i = 0; i < wide.pixels.size(); ++i) wide.pixels[i] = static_cast<uint8_t>(i + 1);
    // Row r of two 16-bit pixels from (1, r) lands at byte 2 x (r x 8) of the 8-bit image.
    ASSERT_EQ(BitmapImageCopy(&narrow, 0, 0, &wide, 1, 0, 2, 2), 1);
    EXPECT_EQ(std::vector<uint8_t>(narrow.pixels.begin(), narrow.pixels.begin() + 5),
              (std::vector<uint8_t>{3, 4, 5, 6, 0}));
    EXPECT_EQ(std::vector<uint8_t>(narrow.pixels.begin() + 16, narrow.pixels.begin() + 20),
              (std::vector<uint8_t>{11, 12, 13, 14}));
    // Where the source's byte size would carry it past the destination's buffer, it is refused.
    EXPECT_EQ(BitmapImageCopy(&narrow, 4, 3, &wide, 0, 0, 2, 1), 0);
}

TEST(BitmapImage, DestroyTwiceAndCopyOutOfBounds) {
    BitmapImage a, b;
    BitmapImageCreate(&a, 0, 0, 4, 4, 8);
    BitmapImageCreate(&b, 0, 0, 2, 2, 8);
    EXPECT_EQ(BitmapImageCopy(&b, 0, 0, &a, 1, 1, 2, 2), 1);
    EXPECT_EQ(BitmapImageCopy(&b, 1, 0, &a, 0, 0, 2, 2), 0);
    EXPECT_EQ(BitmapImageCopy(&b, 0, 0, &a, 3, 3, 2, 2), 0);
    EXPECT_EQ(BitmapImageDestroy(&a), 1);
    EXPECT_EQ(BitmapImageDestroy(&a), 0);
    EXPECT_EQ(a.width, 0);
}

}  // namespace
