#include "platform/screen/scaling.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Expected {
    int outputWidth, outputHeight;
    int x, y, width, height;
    int prescale;
    bool exact;
};

// The screens and windows people play on: the picture is as tall (or as wide) as the output
// allows, centred, first enlarged to the next whole multiple.
TEST(ScalePlan, CommonOutputs) {
    const Expected cases[] = {
        {1920, 1080, 240, 0, 1440, 1080, 3, false}, {2560, 1440, 320, 0, 1920, 1440, 3, true},
        {1366, 768, 171, 0, 1024, 768, 2, false},   {800, 600, 0, 0, 800, 600, 2, false},
        {500, 400, 0, 12, 500, 375, 1, false},      {640, 480, 0, 0, 640, 480, 1, true},
        {1280, 960, 0, 0, 1280, 960, 2, true},      {1280, 1024, 0, 32, 1280, 960, 2, true},
        {3840, 2160, 480, 0, 2880, 2160, 5, false},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(std::to_string(c.outputWidth) + "x" + std::to_string(c.outputHeight));
        const ScalePlan plan = ScalePlanFor(640, 480, c.outputWidth, c.outputHeight);
        EXPECT_EQ(plan.target.x, c.x);
        EXPECT_EQ(plan.target.y, c.y);
        EXPECT_EQ(plan.target.width, c.width);
        EXPECT_EQ(plan.target.height, c.height);
        EXPECT_EQ(plan.prescale, c.prescale);
        EXPECT_EQ(plan.exact, c.exact);
    }
}

// Whatever the window's size: the picture stays inside it, touches two opposite sides, keeps
// its aspect to within a pixel's rounding, sits in the middle, and the whole multiple is the
// smallest that is not smaller than the target.
TEST(ScalePlan, AnyWindowSize) {
    for (int w = 1; w <= 2000; w += 37) {
        for (int h = 1; h <= 1500; h += 29) {
            const ScalePlan plan = ScalePlanFor(640, 480, w, h);
            const ScaleRect& t = plan.target;
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
            ASSERT_GE(t.x, 0);
            ASSERT_GE(t.y, 0);
            ASSERT_LE(t.x + t.width, w);
            ASSERT_LE(t.y + t.height, h);
            ASSERT_TRUE(t.width == w || t.height == h);
            ASSERT_LE(std::abs(t.width * 480 - t.height * 640), 640);
            ASSERT_LE(std::abs((w - t.width) - 2 * t.x), 1);
            ASSERT_LE(std::abs((h - t.height) - 2 * t.y), 1);
            ASSERT_GE(plan.prescale * 640, t.width);
            ASSERT_GE(plan.prescale * 480, t.height);
            ASSERT_TRUE(plan.prescale == 1 || (plan.prescale - 1) * 640 < t.width ||
                        (plan.prescale - 1) * 480 < t.height);
        }
    }
}

TEST(ScalePlan, EmptyOutputDrawsNothing) {
    for (const auto& [w, h] : {std::pair{0, 480}, {640, 0}, {-5, 100}}) {
        const ScalePlan plan = ScalePlanFor(640, 480, w, h);
        EXPECT_EQ(plan.target.width, 0);
        EXPECT_EQ(plan.target.height, 0);
        EXPECT_EQ(plan.prescale, 1);
    }
}

TEST(WindowSize, TwiceThePictureWhenItFits) {
    const ScaleSize big = WindowSizeFor(640, 480, 1904, 1005);
    EXPECT_EQ(big.width, 1280);
    EXPECT_EQ(big.height, 960);
    const ScaleSize unknown = WindowSizeFor(640, 480, 0, 0);
    EXPECT_EQ(unknown.width, 1280);
    EXPECT_EQ(unknown.height, 960);
    const ScaleSize justFits = WindowSizeFor(640, 480, 1280, 960);
    EXPECT_EQ(justFits.width, 1280);
}

TEST(WindowSize, SmallerOnSmallScreens) {
    const ScaleSize small = WindowSizeFor(640, 480, 1008, 720);
    EXPECT_EQ(small.width, 960);
    EXPECT_EQ(small.height, 720);
    const ScaleSize laptop = WindowSizeFor(640, 480, 1350, 693);
    EXPECT_EQ(laptop.width, 924);
    EXPECT_EQ(laptop.height, 693);
    const ScaleSize narrow = WindowSizeFor(640, 480, 1279, 2000);
    EXPECT_EQ(narrow.width, 1279);
    EXPECT_EQ(narrow.height, 959);
}

}  // namespace
