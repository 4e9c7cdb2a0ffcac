// Every picture of the pack in the one strict bitmap form, all sharing one palette.
#include <gtest/gtest.h>

#include "pack_files.h"

using namespace packtest;

namespace {

std::vector<std::string> AllPictures() {
    std::vector<std::string> names = MenuNames();
    for (auto list : {LandscapeNames(), SheetNames()}) names.insert(names.end(), list.begin(), list.end());
    return names;
}

}  // namespace

TEST(PackBitmaps, AreUncompressedBottomUp8BitWithFullTableAndExactSizes) {
    for (const std::string& name : AllPictures()) {
        SCOPED_TRACE(name);
        const Bytes file = ReadFile(DataPath(name));
        const Bitmap bmp = ParseBitmap(file);
        EXPECT_EQ(bmp.bitCount, 8);
        EXPECT_EQ(bmp.compression, 0u);
        EXPECT_GT(bmp.height, 0) << "bottom-up rows need a positive height";
        EXPECT_EQ(bmp.offBits, 1078u);
        EXPECT_EQ(bmp.fileSize, file.size());
        EXPECT_EQ(bmp.sizeImage, static_cast<std::uint32_t>(bmp.width * bmp.height));
        EXPECT_EQ(bmp.width % 4, 0) << "rows must carry no padding";
        EXPECT_TRUE(bmp.colorsUsed == 0 || bmp.colorsUsed == 256);
    }
}

TEST(PackBitmaps, HaveTheSizesTheGameCutsThemTo) {
    for (auto names : {MenuNames(), LandscapeNames()})
        for (const std::string& name : names) {
            const Bitmap bmp = LoadBitmap(name);
            EXPECT_EQ(bmp.width, 640) << name;
            EXPECT_EQ(bmp.height, 480) << name;
        }
    for (const std::string& name : SheetNames()) {
        const Bitmap bmp = LoadBitmap(name);
        EXPECT_EQ(bmp.width, 296) << name;
        EXPECT_GE(bmp.height, 151) << name << ": two rows of cells with their closing line";
    }
}

TEST(PackPalette, IsOneTableInEveryPictureAndInThePaletteFile) {
    const auto text = ParsePaletteText(ReadFile(DataPath("PALDATA2.PAL")));
    ASSERT_EQ(text.size(), 256u);
    const Bitmap reference = LoadBitmap("LANDSCAPE5.BMP");
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(Colour(text[i][0], text[i][1], text[i][2]), reference.palette[i]) << "entry " << i;
        EXPECT_EQ(text[i][3], 0) << "flags of entry " << i;
    }
    for (const std::string& name : AllPictures()) {
        EXPECT_EQ(LoadBitmap(name).palette, reference.palette) << name;
    }
}

TEST(PackPalette, KeepsBlackAtZeroAndGivesTheGroundAColourOfItsOwn) {
    const Bitmap bmp = LoadBitmap("LANDSCAPE5.BMP");
    EXPECT_EQ(bmp.palette[0], Colour(0, 0, 0));
    for (int i = 0; i < 256; ++i) {
        if (i != 116) {
            EXPECT_NE(bmp.palette[i], bmp.palette[116]) << "entry " << i << " looks like the ground";
        }
    }
}

TEST(PackPalette, FileIsTheTextFormOfThePaletteWriter) {
    const Bytes file = ReadFile(DataPath("PALDATA2.PAL"));
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.front(), '\n') << "each entry is written after a line break";
    EXPECT_NE(file.back(), '\n') << "no line break after the last entry";
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 256);
}

TEST(PackPictures, UseTheGroundColourOnlyInLandscapes) {
    for (auto names : {MenuNames(), SheetNames()})
        for (const std::string& name : names) {
            const Bitmap bmp = LoadBitmap(name);
            EXPECT_EQ(std::count(bmp.pixels.begin(), bmp.pixels.end(), 116), 0) << name;
        }
}

TEST(PackMenus, AreFullPicturesWithManyColours) {
    for (const std::string& name : MenuNames()) {
        const Bitmap bmp = LoadBitmap(name);
        std::vector<bool> used(256);
        for (auto p : bmp.pixels) used[p] = true;
        EXPECT_GT(std::count(used.begin(), used.end(), true), 48) << name;
        EXPECT_LT(std::count(bmp.pixels.begin(), bmp.pixels.end(), 0), static_cast<long>(bmp.pixels.size() / 20))
            << name << " is mostly blank";
    }
}
