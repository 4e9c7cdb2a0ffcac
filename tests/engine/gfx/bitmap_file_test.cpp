#include "engine/gfx/bitmap_file.h"

#include "engine/gfx/display.h"
#include "support/allocation_limit.h"
#include "support/engine_support.h"

#include <cstring>
#include <filesystem>

namespace {

class BitmapFileTest : public EngineTest {
protected:
    std::vector<uint8_t> Picture(int w, int h) {
        std::vector<uint8_t> pixels(static_cast<size_t>(w * h));
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 + 1);
        return pixels;
    }
    // Loads `bytes` from a file; the load's result.
    int32_t LoadBytes(const std::vector<uint8_t>& bytes) {
        const std::string name = dir.File("x.bmp");
        WriteBytes(name, bytes);
        return BitmapFileLoad(&bitmap, name.c_str());
    }
    void Patch32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); }
    void Patch16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) { std::memcpy(&bytes[at], &value, 2); }
    TempDir dir;
    BitmapFile bitmap;
};

TEST_F(BitmapFileTest, EightBitFileReadsTopRowFirstWithItsPalette) {
    BmpPalette table = TestBmpPalette();
    table[4 * 5] = 10;      // blue
    table[4 * 5 + 1] = 20;  // green
    table[4 * 5 + 2] = 30;  // red
    const auto pixels = Picture(640, 480);
    WriteBitmap8(dir.File("a.bmp"), 640, 480, pixels, table);
    ASSERT_EQ(BitmapFileLoad(&bitmap, dir.File("a.bmp").c_str()), 1);
    EXPECT_EQ(bitmap.pixels.size(), 307200u);
    EXPECT_EQ(bitmap.pixels, pixels);
    const PALETTEENTRY& e = bitmap.paletteEntries[5];
    EXPECT_EQ(e.peRed, 30);
    EXPECT_EQ(e.peGreen, 20);
    EXPECT_EQ(e.peBlue, 10);
    EXPECT_EQ(e.peFlags, PC_NOCOLLAPSE);
    EXPECT_EQ(bitmap.infoHeader.biWidth, 640);
}

TEST_F(BitmapFileTest, PaddedRowsAndTopDownFilesAreReadCorrectly) {
    const auto pixels = Picture(5, 3);  // rows of 5 bytes are padded to 8 in the file
    auto bytes = Bitmap8Bytes(5, 3, pixels);
    ASSERT_EQ(LoadBytes(bytes), 1);
    EXPECT_EQ(bitmap.pixels, pixels);

    // The same picture stored top-down (negative height), with biSizeImage 0.
    auto topDown = bytes;
    Patch32(topDown, 22, static_cast<uint32_t>(-3));
    Patch32(topDown, 34, 0);
    for (int row = 0; row < 3; ++row) std::memcpy(&topDown[1078 + 8 * row], &pixels[static_cast<size_t>(5 * row)], 5);
    ASSERT_EQ(LoadBytes(topDown), 1);
    EXPECT_EQ(bitmap.pixels, pixels);
    EXPECT_EQ(bitmap.infoHeader.biHeight, 3);
}

TEST_F(BitmapFileTest, TwentyFourBitPixelsBecomeDisplayWords) {
    WriteBitmap24(dir.File("c.bmp"), 3, 1, {0xFFFFFF, 0xFF0000, 0x000000});
    Display.pixelFormat = 15;
    ASSERT_EQ(BitmapFileLoad(&bitmap, dir.File("c.bmp").c_str()), 1);
    auto word = [&](int k) { return bitmap.pixels[2 * k] | (bitmap.pixels[2 * k + 1] << 8); };
    EXPECT_EQ(bitmap.infoHeader.biBitCount, 16);
    EXPECT_EQ(word(0), 0x7FFF);
    EXPECT_EQ(word(1), 0x7C00);
    Display.pixelFormat = 16;
    ASSERT_EQ(BitmapFileLoad(&bitmap, dir.File("c.bmp").c_str()), 1);
    EXPECT_EQ(word(0), 0xFFFF);
    EXPECT_EQ(word(1), 0xF800);
    EXPECT_EQ(word(2), 0);
}

TEST_F(BitmapFileTest, UnloadKeepsTheHeadersAndPalette) {
    WriteBitmap8(dir.File("a.bmp"), 4, 2, Picture(4, 2));
    ASSERT_EQ(BitmapFileLoad(&bitmap, dir.File("a.bmp").c_str()), 1);
    EXPECT_EQ(BitmapFileUnload(&bitmap), 1);
    EXPECT_FALSE(bitmap.hasPixels());
    EXPECT_EQ(bitmap.paletteEntries[7].peRed, 7);
    EXPECT_EQ(bitmap.infoHeader.biWidth, 4);
}

TEST_F(BitmapFileTest, RefusalsLeaveTheRecordAsItWas) {
    WriteBitmap8(dir.File("a.bmp"), 4, 2, Picture(4, 2));
    ASSERT_EQ(BitmapFileLoad(&bitmap, dir.File("a.bmp").c_str()), 1);
    const BitmapFile held = bitmap;
    auto same = [&](const BitmapFile& want) {
        return std::memcmp(&bitmap.fileHeader, &want.fileHeader, sizeof want.fileHeader) == 0 &&
               std::memcmp(&bitmap.infoHeader, &want.infoHeader, sizeof want.infoHeader) == 0 &&
               std::memcmp(bitmap.paletteEntries, want.paletteEntries, sizeof want.paletteEntries) == 0 &&
               bitmap.pixels == want.pixels;
    };
    BmpPalette otherColours = TestBmpPalette();
    otherColours[4 * 7 + 2] = 99;
    const auto bytes = Bitmap8Bytes(8, 8, Picture(8, 8), otherColours);

    EXPECT_EQ(BitmapFileLoad(&bitmap, dir.File("missing.bmp").c_str()), 0);
    EXPECT_TRUE(same(held)) << "missing";
    auto notBm = bytes;
    notBm[0] = 'X';
    EXPECT_EQ(LoadBytes(notBm), 0);
    EXPECT_TRUE(same(held)) << "not BM";
    EXPECT_EQ(LoadBytes(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)), 0);
    EXPECT_TRUE(same(held)) << "cut short";
    // An unsupported bit count leaves the headers as read, and nothing else.
    for (uint16_t bits : {1, 4, 32}) {
        auto other = bytes;
        Patch16(other, 28, bits);
        EXPECT_EQ(LoadBytes(other), 0) << bits;
        EXPECT_EQ(bitmap.infoHeader.biBitCount, bits);
        EXPECT_EQ(bitmap.infoHeader.biSizeImage, 64u);
        EXPECT_EQ(bitmap.pixels, held.pixels);
        EXPECT_EQ(bitmap.paletteEntries[7].peRed, held.paletteEntries[7].peRed);
    }
}

TEST_F(BitmapFileTest, ReadsNoMoreThanTheHeadersSayIsThere) {
    // Big files with little in them, and no memory for more than a few megabytes: only what the
    // headers say is there is read and held; rows that do not fit in memory are refused.
    struct Case {
        const char* what;
        std::vector<uint8_t> start;
        uintmax_t fileSize;
        int32_t want;
    };
    auto notBm = Bitmap8Bytes(4, 2, Picture(4, 2));
    notBm[0] = 'X';
    const Case cases[] = {
        {"900 MB, not BM", notBm, 900u << 20, 0},
        {"900 MB, a 4 x 2 picture at its start", Bitmap8Bytes(4, 2, Picture(4, 2)), 900u << 20, 1},
        {"rows beyond the memory left", Bitmap8Bytes(2000, 2000, Picture(2000, 2000)), 0, 0},
    };
    for (const Case& c : cases) {
        const std::string name = dir.File("big.bmp");
        WriteBytes(name, c.start);
        if (c.fileSize > 0) std::filesystem::resize_file(name, c.fileSize);
        AllocationLimit limit(1u << 20);
        EXPECT_EQ(BitmapFileLoad(&bitmap, name.c_str()), c.want) << c.what;
    }
    EXPECT_EQ(bitmap.pixels, Picture(4, 2));
}

TEST_F(BitmapFileTest, HostileHeadersAreRefused) {
    const auto good = Bitmap8Bytes(8, 8, Picture(8, 8));
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        bool wide;
    };
    const Case cases[] = {
        {"zero width", 18, 0, true},
        {"negative width", 18, static_cast<uint32_t>(-8), true},
        {"huge width", 18, 16385, true},
        {"huge height", 22, 20000, true},
        {"height beyond the file", 22, 9, true},
        {"width beyond the file", 18, 4000, true},
        {"small info header", 14, 12, true},
        {"huge info header", 14, 0x7FFFFFFF, true},
        {"compressed", 30, 1, true},
        {"too many colours", 46, 257, true},
    };
    for (const Case& c : cases) {
        auto bytes = good;
        Patch32(bytes, c.at, c.value);
        EXPECT_EQ(LoadBytes(bytes), 0) << c.what;
    }
    for (size_t cut : {size_t{0}, size_t{10}, size_t{14}, size_t{53}, size_t{500}, good.size() - 1}) {
        EXPECT_EQ(LoadBytes(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut))), 0) << cut;
    }
}

TEST_F(BitmapFileTest, ShortColourTableIsReadFromWhereItEnds) {
    // Four colours in the table (biClrUsed 4): the pixels follow at 54 + 16.
    std::vector<uint8_t> bytes = Bitmap8Bytes(4, 1, {0, 1, 2, 3});
    std::vector<uint8_t> small;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i < 54 + 16 || i >= 1078) small.push_back(bytes[i]);
    }
    Patch32(small, 46, 4);
    Patch32(small, 10, 54 + 16);
    ASSERT_EQ(LoadBytes(small), 1);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{0, 1, 2, 3}));
    EXPECT_EQ(bitmap.paletteEntries[3].peRed, 3);
    EXPECT_EQ(bitmap.paletteEntries[4].peRed, 0);
}

TEST_F(BitmapFileTest, AFullColourTableIsTakenWhateverTheCountOfColoursInUse) {
    // A file laid out as usual (1,024-byte table, pixels at 1078) that says 200 colours are used.
    std::vector<uint8_t> bytes = Bitmap8Bytes(4, 1, {0, 1, 2, 255});
    Patch32(bytes, 46, 200);
    ASSERT_EQ(LoadBytes(bytes), 1);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{0, 1, 2, 255}));
    EXPECT_EQ(bitmap.paletteEntries[255].peRed, 255);  // the test palette's entry 255
    EXPECT_EQ(bitmap.paletteEntries[255].peBlue, 127);
}

TEST_F(BitmapFileTest, AWrongPixelOffsetIsPassedOverForThePixelsAfterTheTable) {
    const std::vector<uint8_t> good = Bitmap8Bytes(4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    for (uint32_t offset : {0u, 20u, 1079u, 1082u, 5000u}) {
        std::vector<uint8_t> bytes = good;
        Patch32(bytes, 10, offset);
        ASSERT_EQ(LoadBytes(bytes), 1) << offset;
        EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8})) << offset;
        // Also when the file ends in a few bytes of padding, so that rows at the offset would fit.
        bytes.insert(bytes.end(), 4, 238);
        ASSERT_EQ(LoadBytes(bytes), 1) << offset;
        EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8})) << offset << " padded";
    }
}

TEST(BitmapFlipRows, ReversesRows) {
    uint8_t rows[] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(BitmapFlipRows(rows, 2, 3), 1);
    const uint8_t want[] = {5, 6, 3, 4, 1, 2};
    EXPECT_TRUE(std::equal(rows, rows + 6, want));
}

}  // namespace
