// The generator's painting tools: the palette's design, the quantiser, the sprite painter's
// outlines, and the ground lines the landscapes are built on.
#include <gtest/gtest.h>

#include <algorithm>

#include "art/ground.h"
#include "art/icon.h"
#include "art/landscapes.h"
#include "art/palette.h"
#include "art/quantise.h"
#include "art/sprite_painter.h"

using namespace datagen;

namespace {

double Luma(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

const Ramp kRamps[] = {ramp::kGrey,  ramp::kSkin,  ramp::kGold,   ramp::kSteel, ramp::kRed,  ramp::kGreen,
                       ramp::kBlue,  ramp::kEarth, ramp::kViolet, ramp::kTeal,  ramp::kDawn, ramp::kFire,
                       ramp::kStone, ramp::kHaze,  ramp::kOlive,  ramp::kWood};

}  // namespace

TEST(DatagenPaletteDesign, RunsEveryRampFromDarkToLight) {
    const Palette& p = GamePalette();
    for (const Ramp& r : kRamps) {
        int previous = -1;
        for (int i = r.first; i < r.first + r.count; ++i) {
            if (i == kGround || i == kOutlineBlack) continue;
            if (previous >= 0) {
                EXPECT_GE(Luma(p[i]), Luma(p[previous])) << "entry " << i;
            }
            previous = i;
        }
    }
}

TEST(DatagenPaletteDesign, CoversAllSixteenRampsWithoutGaps) {
    std::vector<bool> covered(256);
    for (const Ramp& r : kRamps)
        for (int i = r.first; i < r.first + r.count; ++i) {
            EXPECT_FALSE(covered[i]) << "entry " << i << " in two ramps";
            covered[i] = true;
        }
    EXPECT_EQ(std::count(covered.begin(), covered.end(), true), 256);
}

TEST(DatagenQuantiser, GivesBackEveryPaletteColourItIsAllowedToUse) {
    for (const Ramp& r : kRamps) {
        Canvas canvas(r.count, 1);
        for (int i = 0; i < r.count; ++i) canvas.Set(i, 0, ToColour(GamePalette()[r.first + i]));
        const IndexedImage out = Quantise(canvas, {r}, 0.0);
        for (int i = 0; i < r.count; ++i) {
            if (r.first + i == kGround) {
                EXPECT_NE(out.At(i, 0), kGround);
            } else {
                EXPECT_EQ(out.At(i, 0), r.first + i) << "entry " << r.first + i;
            }
        }
    }
}

TEST(DatagenQuantiser, DithersGradientsButNotCrispPixels) {
    Canvas canvas(16, 16, ToColour(ShadeRgb(ramp::kBlue, 0.5)));
    for (int x = 0; x < 16; ++x) canvas.MarkCrisp(x, 0);
    const Colour between = Mix(ToColour(GamePalette()[103]), ToColour(GamePalette()[104]), 0.5);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) canvas.Set(x, y, between);
    const IndexedImage out = Quantise(canvas, {ramp::kBlue}, 14.0);
    std::vector<int> row0(out.pixels.begin(), out.pixels.begin() + 16);
    EXPECT_EQ(std::count(row0.begin(), row0.end(), row0[0]), 16) << "crisp row must be one colour";
    const int darker = static_cast<int>(std::count(out.pixels.begin() + 16, out.pixels.end(), 103));
    const int lighter = static_cast<int>(std::count(out.pixels.begin() + 16, out.pixels.end(), 104));
    EXPECT_EQ(darker + lighter, 16 * 15) << "a mid colour dithers between its two neighbours";
    EXPECT_GT(darker, 60);
    EXPECT_GT(lighter, 60);
}

TEST(DatagenSpritePainter, OutlinesTheFigureAndSeamsNearerPartsButNotBlades) {
    SpritePainter painter(20, 20, true);
    const Material body{ramp::kSkin, 0.3, 0.9};
    painter.Ellipse({10, 10}, 6, 6, body, 1);
    painter.Capsule({4, 10}, {16, 10}, 2, 2, Material{ramp::kRed, 0.3, 0.9}, 2);
    painter.Blade({2, 1.5}, {18, 1.5}, 2.0, 0.0, Material{ramp::kSteel, 0.4, 1.0}, 3);
    const IndexedImage out = painter.Finish(kOutlineBlack);
    EXPECT_EQ(out.At(0, 19), kTransparent);
    EXPECT_EQ(out.At(10, 4), kOutlineBlack) << "top edge of the disc";
    EXPECT_EQ(out.At(10, 15), kOutlineBlack) << "bottom edge of the disc";
    // Where the arm crosses the disc its border rows are darkened, its middle keeps its shade.
    EXPECT_GE(out.At(10, 8), ramp::kRed.first);
    EXPECT_LT(out.At(10, 8), out.At(10, 10));
    // The blade over empty space keeps its own colours.
    for (int x = 4; x < 14; ++x) {
        EXPECT_NE(out.At(x, 1), kOutlineBlack);
        EXPECT_NE(out.At(x, 1), kTransparent);
    }
}

TEST(DatagenLandscapes, LayTheirGroundExactlyOnTheDesignedLine) {
    for (int i = 0; i < kLandscapeCount; ++i) {
        const GroundLine line = GroundLineOf(i);
        const IndexedImage picture = PaintLandscape(i);
        for (int x = 0; x < kScreenWidth; x += 7) {
            int top = 0;
            while (top < kScreenHeight && picture.At(x, top) != kGround) ++top;
            EXPECT_EQ(top, line[x]) << "landscape " << i << " column " << x;
        }
    }
}

namespace {

TEST(Icon, ShowsTheHeroOverTheSkyWithoutGroundColour) {
    const datagen::IndexedImage icon = datagen::PaintIcon();
    ASSERT_EQ(icon.width, datagen::kIconSize);
    ASSERT_EQ(icon.height, datagen::kIconSize);
    const std::uint8_t topSky = icon.At(0, 0);
    int hero = 0;
    for (std::uint8_t index : icon.pixels) {
        EXPECT_NE(index, datagen::kGround);
        EXPECT_NE(index, datagen::kTransparent);
        hero += index >= datagen::ramp::kSkin.first && index < datagen::ramp::kSkin.first + 16;
    }
    EXPECT_GT(hero, 500);                                   // the hero's skin, at three times its sprite size
    EXPECT_NE(icon.At(0, datagen::kIconSize - 1), topSky);  // the sky darkens upwards
}

}  // namespace
