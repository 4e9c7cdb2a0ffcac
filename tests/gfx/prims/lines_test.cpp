#include "gfx/prims/lines.h"

#include "gfx/prims/canvas.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

using LinesTest = PrimsTest;

TEST_F(LinesTest, RowIsClippedToTheScreenWhateverItsOrder) {
    Canvas8 canvas(640, 481);
    FillRow8(700, -5, 10, 0x1FF, canvas.memory(), canvas.pitch());
    EXPECT_EQ(canvas.Runs(10), (Runs{{0, 639}}));
    EXPECT_EQ(canvas.at(5, 10), 0xFF);  // the low byte of the colour
    FillRow8(700, -5, 480, 3, canvas.memory(), canvas.pitch());
    FillRow8(-20, -1, 20, 3, canvas.memory(), canvas.pitch());
    FillRow8(640, 900, 30, 3, canvas.memory(), canvas.pitch());
    EXPECT_EQ(canvas.Count(), 640);
    EXPECT_TRUE(canvas.PaddingClean());
}

TEST_F(LinesTest, RowsAndColumnsHonourANarrowClipRectangle) {
    SetClip(100, 50, 199, 149);
    Canvas8 canvas(300, 200);
    FillRow8(0, 299, 60, 1, canvas.memory(), canvas.pitch());
    FillRow8(0, 299, 49, 1, canvas.memory(), canvas.pitch());
    FillColumn8(199, 0, 150, 2, canvas.memory(), canvas.pitch());
    FillColumn8(0, 199, 99, 2, canvas.memory(), canvas.pitch());
    EXPECT_EQ(canvas.Runs(60), (Runs{{100, 199}}));
    for (int y = 50; y <= 149; ++y) EXPECT_EQ(canvas.at(150, y), 2) << y;
    EXPECT_EQ(canvas.Count(), 100 + 99);
    EXPECT_TRUE(canvas.OnlyInside(100, 50, 199, 149));
}

TEST_F(LinesTest, ColumnOfOneRowIsOnePixelInsideAndNothingOutside) {
    Canvas8 canvas(640, 480);
    FillColumn8(7, 7, 3, 9, canvas.memory(), canvas.pitch());
    FillColumn8(-3, -3, 4, 9, canvas.memory(), canvas.pitch());
    FillColumn8(7, 7, 640, 9, canvas.memory(), canvas.pitch());
    EXPECT_EQ(canvas.Count(), 1);
    EXPECT_EQ(canvas.at(3, 7), 9);
}

TEST_F(LinesTest, SixteenBitRunsWriteWholeWordsAtThePitch) {
    Canvas16 canvas(640, 480);
    FillRow16(-10, 2, 5, 0x1ABCD, canvas.memory(), canvas.pitch());
    FillColumn16(478, 900, 639, 0x7FFF, canvas.memory(), canvas.pitch());
    PutPixel16(320, 240, 0xF81F, canvas.memory(), canvas.pitch());
    EXPECT_EQ(canvas.Runs(5), (Runs{{0, 2}}));
    EXPECT_EQ(canvas.at(1, 5), 0xABCD);
    EXPECT_EQ(canvas.at(639, 478), 0x7FFF);
    EXPECT_EQ(canvas.at(639, 479), 0x7FFF);
    EXPECT_EQ(canvas.at(320, 240), 0xF81F);
    EXPECT_EQ(canvas.Count(), 3 + 2 + 1);
    EXPECT_TRUE(canvas.PaddingClean());

    std::vector<uint16_t> words(4, 0);
    FillWords16(reinterpret_cast<uint8_t*>(words.data()), 0x1234, 3);
    FillWords16(reinterpret_cast<uint8_t*>(words.data()), 0x5555, 0);
    EXPECT_EQ(words, (std::vector<uint16_t>{0x1234, 0x1234, 0x1234, 0}));
}

TEST_F(LinesTest, RasterLinesSetTheErrorTermPixelsWithBothEnds) {
    Canvas8 canvas(16, 16);
    RasterLine8(0, 0, 3, 3, 1, canvas.memory(), canvas.pitch());
    for (int i = 0; i <= 3; ++i) EXPECT_EQ(canvas.at(i, i), 1);
    EXPECT_EQ(canvas.Count(), 4);

    Canvas8 shallow(16, 16);
    RasterLine8(0, 0, 4, 1, 1, shallow.memory(), shallow.pitch());
    EXPECT_EQ(shallow.Runs(0), (Runs{{0, 1}}));
    EXPECT_EQ(shallow.Runs(1), (Runs{{2, 4}}));
    EXPECT_EQ(shallow.Count(), 5);

    // A steep line drawn upwards and to the left: one pixel per row, ends included.
    Canvas16 steep(16, 16);
    EXPECT_EQ(RasterLine16(10, 12, 7, 2, 0xBEEF, steep.memory(), steep.pitch()), 1);
    EXPECT_EQ(steep.at(10, 12), 0xBEEF);
    EXPECT_EQ(steep.at(7, 2), 0xBEEF);
    for (int y = 2; y <= 12; ++y) EXPECT_EQ(steep.Runs(y).size(), 1u) << y;
    EXPECT_EQ(steep.Count(), 11);

    Canvas8 dot(4, 4);
    RasterLine8(2, 1, 2, 1, 5, dot.memory(), dot.pitch());
    EXPECT_EQ(dot.Count(), 1);
    EXPECT_EQ(dot.at(2, 1), 5);
}

TEST_F(LinesTest, ClipperMovesEndsOntoTheEdgesOrRejects) {
    int x0 = -100, y0 = 10, x1 = 800, y1 = 10;
    ASSERT_EQ(ClipLineToRect(x0, y0, x1, y1), 1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{0, 10, 639, 10}));

    // Both ends above: rejected at once, nothing changed.
    x0 = -5000, y0 = -1, x1 = 5000, y1 = -7;
    EXPECT_EQ(ClipLineToRect(x0, y0, x1, y1), 0);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{-5000, -1, 5000, -7}));

    // Wholly inside: unchanged.
    x0 = 3, y0 = 4, x1 = 600, y1 = 470;
    EXPECT_EQ(ClipLineToRect(x0, y0, x1, y1), 1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{3, 4, 600, 470}));

    // A corner code whose top crossing misses the rectangle falls back to the left edge.
    x0 = -100, y0 = -10, x1 = 100, y1 = 100;
    ASSERT_EQ(ClipLineToRect(x0, y0, x1, y1), 1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{0, 45, 100, 100}));

    // Passing the corner region without entering: the crossing lies outside, so rejected.
    x0 = -20, y0 = 5, x1 = 5, y1 = -20;
    EXPECT_EQ(ClipLineToRect(x0, y0, x1, y1), 0);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{-20, 5, 5, -20}));
}

TEST_F(LinesTest, ClipperRoundsTheFirstEndsNegativeCrossingButNotTheSecondsSingleEdge) {
    SetClip(-100, -10, 100, 100);
    // First end above: x = trunc(0 + 0.5 + (10 * -30) div 30) = trunc(-9.5) = -9.
    int x0 = 0, y0 = -20, x1 = -30, y1 = 10;
    ASSERT_EQ(ClipLineToRect(x0, y0, x1, y1), 1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{-9, -10, -30, 10}));
    // The same line given the other way round: the second end's crossing is the plain -10.
    x0 = -30, y0 = 10, x1 = 0, y1 = -20;
    ASSERT_EQ(ClipLineToRect(x0, y0, x1, y1), 1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{-30, 10, -10, -10}));
}

TEST_F(LinesTest, ClipperSurvivesEndsAtTheLimitsOfTheIntegerRange) {
    constexpr int kMin = std::numeric_limits<int32_t>::min();
    constexpr int kMax = std::numeric_limits<int32_t>::max();
    int x0 = kMin, y0 = kMin, x1 = kMax, y1 = kMax;
    ASSERT_EQ(ClipLineToRect(x0, y0, x1, y1), 1);
    EXPECT_GE(x0, 0);
    EXPECT_LE(x1, 639);
    EXPECT_GE(y0, 0);
    EXPECT_LE(y1, 479);
}

TEST_F(LinesTest, ClippedLineThroughANarrowWindowIsTheVisibleDiagonal) {
    SetClip(100, 100, 200, 200);
    Canvas8 canvas(320, 320);
    EXPECT_EQ(DrawClippedLine8(0, 0, 300, 300, 4, canvas.memory(), canvas.pitch()), 1);
    for (int i = 100; i <= 200; ++i) EXPECT_EQ(canvas.at(i, i), 4) << i;
    EXPECT_EQ(canvas.Count(), 101);

    Canvas16 words(320, 320);
    DrawClippedLine16(300, 150, -40, 150, 0xF00D, words.memory(), words.pitch());
    EXPECT_EQ(words.Runs(150), (Runs{{100, 200}}));
    EXPECT_EQ(words.Count(), 101);
}

// Random lines, most crossing the clip rectangle: nothing is drawn outside it, everything drawn
// lies on the line, and a line whose middle is well inside is drawn.
TEST_F(LinesTest, ClippedLinesStayInsideAndOnTheirLine) {
    SetClip(50, 40, 589, 439);
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> coordinate(-400, 1000);
    for (int trial = 0; trial < 300; ++trial) {
        Canvas8 canvas(640, 480);
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = coordinate(random), y1 = coordinate(random);
        DrawClippedLine8(x0, y0, x1, y1, 1, canvas.memory(), canvas.pitch());
        ASSERT_TRUE(canvas.OnlyInside(50, 40, 589, 439)) << x0 << "," << y0 << " " << x1 << "," << y1;
        const double length = std::hypot(x1 - x0, y1 - y0);
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                if (!canvas.drawn(x, y) || length == 0) continue;
                const double off = std::fabs((x1 - x0) * (y0 - y) - (x0 - x) * (y1 - y0)) / length;
                ASSERT_LE(off, 1.5) << "pixel " << x << "," << y << " of line " << x0 << "," << y0 << " " << x1 << ","
                                    << y1;
            }
        }
        const int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
        if (mx > 60 && mx < 579 && my > 50 && my < 429) {
            EXPECT_GT(canvas.Count(), 0);
        }
    }
}

TEST_F(LinesTest, BoxesOverlapOnlyWhenTheirReducedBoxesDo) {
    EXPECT_EQ(BoxesOverlap(100, 100, 72, 74, 100, 100, 72, 74), 1);
    EXPECT_EQ(BoxesOverlap(100, 100, 72, 74, 154, 100, 72, 74), 0);
    EXPECT_EQ(BoxesOverlap(100, 100, 72, 74, 153, 100, 72, 74), 1);
    EXPECT_EQ(BoxesOverlap(153, 100, 72, 74, 100, 100, 72, 74), 1);
    EXPECT_EQ(BoxesOverlap(100, 100, 72, 74, 100, 156, 72, 74), 0);  // 2 x 28 apart
    EXPECT_EQ(BoxesOverlap(100, 100, 72, 74, 100, 155, 72, 74), 1);
    EXPECT_EQ(BoxesOverlap(0, 0, 0, 0, 0, 0, 0, 0), 0);  // empty boxes never touch
}

}  // namespace
