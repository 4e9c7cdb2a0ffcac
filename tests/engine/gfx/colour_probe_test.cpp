#include "engine/gfx/colour_probe.h"

#include "engine/gfx/display.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ColourProbeTest : public ::testing::Test {
protected:
    void SetUp() override { DisplayReset(); }
    int32_t Probe(int x1, int y1, int x2, int y2, int low = 116, int high = 116) {
        return ColourProbe(x1, y1, x2, y2, low, high, screen.data(), 640);
    }
    void Put(int x, int y, uint8_t colour) { screen[static_cast<size_t>(y * 640 + x)] = colour; }
    std::vector<uint8_t> screen = std::vector<uint8_t>(640 * 480, 0);
};

TEST_F(ColourProbeTest, FindsAColourInsideTheRectangleOnly) {
    Put(100, 200, 116);
    EXPECT_EQ(Probe(90, 190, 110, 210), 1);
    EXPECT_EQ(Probe(100, 200, 100, 200), 1);
    EXPECT_EQ(Probe(101, 190, 110, 210), 0);
    EXPECT_EQ(Probe(90, 201, 110, 210), 0);
}

TEST_F(ColourProbeTest, TheRangeHoldsBothItsEnds) {
    Put(100, 200, 116);
    const struct {
        int low, high, want;
    } cases[] = {{116, 120, 1}, {110, 116, 1}, {110, 120, 1}, {117, 120, 0}, {110, 115, 0}};
    for (const auto& c : cases) EXPECT_EQ(Probe(90, 190, 110, 210, c.low, c.high), c.want) << c.low << "-" << c.high;
}

TEST_F(ColourProbeTest, RectanglesAreClampedOntoTheScreen) {
    Put(639, 50, 116);
    EXPECT_EQ(Probe(700, 40, 800, 60), 1);  // wholly to the right: the last column is probed
    Put(10, 479, 116);
    EXPECT_EQ(Probe(0, 500, 20, 600), 1);  // wholly below: the last row
    Put(0, 0, 116);
    EXPECT_EQ(Probe(-50, -50, -10, -10), 1);
}

TEST_F(ColourProbeTest, InvertedRectanglesAndRangesFindNothing) {
    for (int x = 0; x < 640; ++x) Put(x, 10, 116);
    EXPECT_EQ(Probe(20, 10, 10, 10), 0);
    EXPECT_EQ(Probe(10, 12, 20, 8), 0);
    EXPECT_EQ(Probe(0, 0, 639, 479, 117, 115), 0);
    EXPECT_EQ(Probe(0, 0, 639, 479, 0x174, 0x174), 1);  // only the low eight bits count
    EXPECT_EQ(ColourProbe(0, 0, 639, 479, 116, 116, nullptr, 640), 0);
}

TEST_F(ColourProbeTest, RowsAreFoundByThePitchNotTheWidth) {
    // A surface whose rows are 1024 bytes apart: the colour at (100, 3) lies at 3 x 1024 + 100.
    std::vector<uint8_t> wide(1024 * 480, 0);
    wide[3 * 1024 + 100] = 116;
    EXPECT_EQ(ColourProbe(95, 3, 105, 3, 116, 116, wide.data(), 1024), 1);
    EXPECT_EQ(ColourProbe(95, 2, 105, 2, 116, 116, wide.data(), 1024), 0);
    wide[3 * 640 + 100] = 116;  // where a probe that stepped by the width would look for row 3
    wide[3 * 1024 + 100] = 0;
    EXPECT_EQ(ColourProbe(95, 3, 105, 3, 116, 116, wide.data(), 1024), 0);
}

}  // namespace
