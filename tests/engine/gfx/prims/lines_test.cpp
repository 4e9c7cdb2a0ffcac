#include "engine/gfx/prims/lines.h"

#include "engine/gfx/prims/canvas.h"

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

// The clipping and line rules written out step by step as documented, in 64-bit integers and
// doubles, to be compared with the engine over many random lines.
struct RulePoint {
    int64_t x;
    int64_t y;
};

int RuleRegionCode(int64_t x, int64_t y) {
    int code = 0;
    if (y < Display.clipMinY) {
        code = 8;
    } else if (y > Display.clipMaxY) {
        code = 4;
    }
    if (x < Display.clipMinX) {
        code += 1;
    } else if (x > Display.clipMaxX) {
        code += 2;
    }
    return code;
}

// Moves endpoint a (partner b) onto the edge its code names. The half is added after the
// integer division, in floating point, and the sum truncated toward zero; the second endpoint
// leaves it out at a single edge.
RulePoint RuleMove(RulePoint a, RulePoint b, int code, bool second) {
    const bool plain = second && (code == 8 || code == 4 || code == 1 || code == 2);
    const auto round = [plain](int64_t start, int64_t quotient) {
        if (plain) return start + quotient;
        return static_cast<int64_t>(std::trunc(static_cast<double>(start) + 0.5 + static_cast<double>(quotient)));
    };
    const auto atRow = [&](int64_t e) { return RulePoint{round(a.x, (e - a.y) * (b.x - a.x) / (b.y - a.y)), e}; };
    const auto atColumn = [&](int64_t e) { return RulePoint{e, round(a.y, (e - a.x) * (b.y - a.y) / (b.x - a.x))}; };
    switch (code) {
        case 0: return a;
        case 8: return atRow(Display.clipMinY);
        case 4: return atRow(Display.clipMaxY);
        case 1: return atColumn(Display.clipMinX);
        case 2: return atColumn(Display.clipMaxX);
        default: break;
    }
    const RulePoint p = atRow((code & 8) ? Display.clipMinY : Display.clipMaxY);
    if (p.x >= Display.clipMinX && p.x <= Display.clipMaxX) return p;
    return atColumn((code & 1) ? Display.clipMinX : Display.clipMaxX);
}

// The clipping rule: 1 and the moved ends, or 0 and the ends untouched.
int RuleClip(int& x0, int& y0, int& x1, int& y1) {
    const int code0 = RuleRegionCode(x0, y0);
    const int code1 = RuleRegionCode(x1, y1);
    if ((code0 & code1) != 0) return 0;
    if (code0 == 0 && code1 == 0) return 1;
    const RulePoint a = RuleMove({x0, y0}, {x1, y1}, code0, false);
    const RulePoint b = RuleMove({x1, y1}, {x0, y0}, code1, true);
    if (RuleRegionCode(a.x, a.y) != 0 || RuleRegionCode(b.x, b.y) != 0) return 0;
    x0 = static_cast<int>(a.x), y0 = static_cast<int>(a.y);
    x1 = static_cast<int>(b.x), y1 = static_cast<int>(b.y);
    return 1;
}

// The error-term line rule, both ends included.
template <typename Pixel>
void RuleLine(Canvas<Pixel>& canvas, int x0, int y0, int x1, int y1, Pixel colour) {
    int dx = x1 - x0, dy = y1 - y0, stepX = 1, stepY = 1;
    if (dx < 0) stepX = -1, dx = -dx;
    if (dy < 0) stepY = -1, dy = -dy;
    int x = x0, y = y0;
    if (dx > dy) {
        int error = 2 * dy - dx;
        for (int i = 0; i <= dx; ++i, x += stepX) {
            canvas.set(x, y, colour);
            if (error >= 0) error -= 2 * dx, y += stepY;
            error += 2 * dy;
        }
    } else {
        int error = 2 * dx - dy;
        for (int i = 0; i <= dy; ++i, y += stepY) {
            canvas.set(x, y, colour);
            if (error >= 0) error -= 2 * dy, x += stepX;
            error += 2 * dx;
        }
    }
}

struct Line {
    int x0, y0, x1, y1;
};

// Endpoints well outside and inside the clip rectangle: mostly within a few of its sizes
// around it, a quarter of the coordinates far off.
Line RandomLine(std::mt19937& random, int minX, int minY, int maxX, int maxY) {
    const int w = maxX - minX + 1, h = maxY - minY + 1;
    std::uniform_int_distribution<int> nearX(minX - 2 * w, maxX + 2 * w), nearY(minY - 2 * h, maxY + 2 * h);
    std::uniform_int_distribution<int> far(-50000, 50000), pick(0, 3);
    const auto x = [&] { return pick(random) == 0 ? far(random) : nearX(random); };
    const auto y = [&] { return pick(random) == 0 ? far(random) : nearY(random); };
    return Line{x(), y(), x(), y()};
}

TEST_F(LinesTest, ClipperFollowsTheClippingRuleOnRandomLines) {
    struct Rect {
        int minX, minY, maxX, maxY;
    };
    // The screen, one reaching into negative coordinates (where the half moves crossings that
    // land inside it) and a tiny one.
    const Rect rects[] = {{0, 0, 639, 479}, {-100, -10, 100, 100}, {-7, -9, -3, 4}};
    std::mt19937 random(6101);
    for (const Rect& r : rects) {
        SetClip(r.minX, r.minY, r.maxX, r.maxY);
        for (int trial = 0; trial < 20000; ++trial) {
            const Line l = RandomLine(random, r.minX, r.minY, r.maxX, r.maxY);
            int ex0 = l.x0, ey0 = l.y0, ex1 = l.x1, ey1 = l.y1;
            int rx0 = l.x0, ry0 = l.y0, rx1 = l.x1, ry1 = l.y1;
            const int engine = ClipLineToRect(ex0, ey0, ex1, ey1);
            const int rule = RuleClip(rx0, ry0, rx1, ry1);
            ASSERT_EQ((std::vector<int>{engine, ex0, ey0, ex1, ey1}), (std::vector<int>{rule, rx0, ry0, rx1, ry1}))
                << "clip " << r.minX << "," << r.minY << "-" << r.maxX << "," << r.maxY << ", line " << l.x0 << ","
                << l.y0 << " " << l.x1 << "," << l.y1;
        }
    }
}

TEST_F(LinesTest, ClippedLinesMatchTheRulesPixelForPixel) {
    // The clip rectangle starts at column and row 0, where the half turns a crossing of -1 into 0.
    SetClip(0, 0, 57, 43);
    std::mt19937 random(6102);
    const Canvas8 blankBytes(64, 48);
    const Canvas16 blankWords(64, 48);
    Canvas8 bytes = blankBytes, expectedBytes = blankBytes;
    Canvas16 words = blankWords, expectedWords = blankWords;
    for (int trial = 0; trial < 20000; ++trial) {
        const Line l = RandomLine(random, 0, 0, 57, 43);
        bytes = expectedBytes = blankBytes;
        words = expectedWords = blankWords;
        DrawClippedLine8(l.x0, l.y0, l.x1, l.y1, 0x105, bytes.memory(), bytes.pitch());
        DrawClippedLine16(l.x0, l.y0, l.x1, l.y1, 0x1ABCD, words.memory(), words.pitch());
        int x0 = l.x0, y0 = l.y0, x1 = l.x1, y1 = l.y1;
        if (RuleClip(x0, y0, x1, y1)) {
            RuleLine<uint8_t>(expectedBytes, x0, y0, x1, y1, 0x05);
            RuleLine<uint16_t>(expectedWords, x0, y0, x1, y1, 0xABCD);
        }
        ASSERT_TRUE(bytes.SameAs(expectedBytes) && words.SameAs(expectedWords))
            << "line " << l.x0 << "," << l.y0 << " " << l.x1 << "," << l.y1;
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
