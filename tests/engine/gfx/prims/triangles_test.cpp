#include "engine/gfx/prims/triangles.h"

#include "engine/gfx/prims/canvas.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

namespace {

using TrianglesTest = PrimsTest;

using Routine = void (*)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t*, int32_t);

struct Family {
    const char* name;
    Routine general;
    Routine flatTop;
    Routine flatBottom;
    bool words;
};

const Family kFamilies[] = {
    {"float8", DrawTriangle8, DrawFlatTopTriangle8, DrawFlatBottomTriangle8, false},
    {"fixed8", DrawTriangleFixed8, DrawFlatTopTriangleFixed8, DrawFlatBottomTriangleFixed8, false},
    {"float16", DrawTriangle16, DrawFlatTopTriangle16, DrawFlatBottomTriangle16, true},
};

struct Corners {
    int x1, y1, x2, y2, x3, y3;
};

// Draws with one family onto a fresh canvas and returns the runs of every row; a canvas of the
// family's depth, so padding and clip checks see the real writes.
struct Drawn {
    std::vector<Runs> rows;
    bool onlyInsideClip = true;
    int count = 0;
};

template <typename Pixel>
Drawn DrawWith(Routine routine, const Corners& c, int width, int height) {
    Canvas<Pixel> canvas(width, height);
    routine(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, 0x1234, canvas.memory(), canvas.pitch());
    Drawn drawn;
    for (int y = 0; y < height; ++y) drawn.rows.push_back(canvas.Runs(y));
    drawn.onlyInsideClip = canvas.OnlyInside(Display.clipMinX, Display.clipMinY, Display.clipMaxX, Display.clipMaxY);
    drawn.count = canvas.Count();
    return drawn;
}

Drawn Draw(const Family& family, Routine routine, const Corners& c, int width = 640, int height = 480) {
    return family.words ? DrawWith<uint16_t>(routine, c, width, height) : DrawWith<uint8_t>(routine, c, width, height);
}

Drawn Draw(const Family& family, const Corners& c, int width = 640, int height = 480) {
    return Draw(family, family.general, c, width, height);
}

TEST_F(TrianglesTest, ExampleTriangleFillsTheDocumentedRows) {
    const Corners c{10, 10, 20, 10, 15, 20};
    for (const Family& family : {kFamilies[0], kFamilies[2]}) {
        const Drawn d = Draw(family, c);
        EXPECT_EQ(d.rows[10], (Runs{{10, 20}})) << family.name;
        EXPECT_EQ(d.rows[11], (Runs{{10, 19}})) << family.name;
        EXPECT_EQ(d.rows[12], (Runs{{11, 19}})) << family.name;
        EXPECT_EQ(d.rows[20], (Runs{{15, 15}})) << family.name;
        EXPECT_TRUE(d.rows[9].empty() && d.rows[21].empty()) << family.name;
    }
    const Drawn fixed = Draw(kFamilies[1], c);
    EXPECT_EQ(fixed.rows[10], (Runs{{10, 20}}));
    EXPECT_EQ(fixed.rows[11], (Runs{{11, 20}}));
    EXPECT_EQ(fixed.rows[20], (Runs{{15, 15}}));
}

TEST_F(TrianglesTest, SixteenBitFillWritesTheLowSixteenBitsOfTheColour) {
    Canvas16 canvas(64, 64);
    DrawTriangle16(10, 10, 20, 10, 15, 20, 0x3F00D, canvas.memory(), canvas.pitch());
    EXPECT_EQ(canvas.at(15, 15), 0xF00D);
    EXPECT_TRUE(canvas.PaddingClean());
}

TEST_F(TrianglesTest, DegenerateTrianglesDrawNothing) {
    const Corners sameX{50, 10, 50, 40, 50, 90};
    const Corners sameY{10, 60, 90, 60, 40, 60};
    // Flat shapes of zero height, and apexes on the wrong side, given to the flat routines.
    const Corners flatZero{10, 60, 90, 60, 40, 60};
    const Corners apexAbove{10, 60, 90, 60, 40, 20};
    for (const Family& family : kFamilies) {
        EXPECT_EQ(Draw(family, sameX).count, 0) << family.name;
        EXPECT_EQ(Draw(family, sameY).count, 0) << family.name;
        EXPECT_EQ(Draw(family, family.flatTop, flatZero).count, 0) << family.name;
        EXPECT_EQ(Draw(family, family.flatBottom, flatZero).count, 0) << family.name;
        EXPECT_EQ(Draw(family, family.flatTop, apexAbove).count, 0) << family.name;
        EXPECT_EQ(Draw(family, family.flatBottom, apexAbove).count, 0) << family.name;
    }
}

TEST_F(TrianglesTest, TrianglesWhollyOutsideTheClipDrawNothing) {
    SetClip(100, 100, 299, 299);
    const Corners outside[] = {
        {120, 10, 200, 40, 150, 99},     // above
        {120, 300, 200, 350, 150, 400},  // below
        {10, 120, 99, 200, 50, 280},     // left
        {300, 120, 390, 200, 350, 280},  // right
    };
    for (const Family& family : kFamilies) {
        for (const Corners& c : outside) EXPECT_EQ(Draw(family, c).count, 0) << family.name;
    }
}

// Expected runs of a reference drawing seen through a narrower clip rectangle.
std::vector<Runs> CutTo(const std::vector<Runs>& rows, int minX, int minY, int maxX, int maxY) {
    std::vector<Runs> cut(rows.size());
    for (int y = minY; y <= maxY && y < static_cast<int>(rows.size()); ++y) {
        for (const Run& run : rows[y]) {
            const int first = std::max(run.first, minX);
            const int last = std::min(run.second, maxX);
            if (first <= last) cut[y].emplace_back(first, last);
        }
    }
    return cut;
}

TEST_F(TrianglesTest, TopAndBottomClipsCutRowsWithoutMovingTheEdges) {
    // Slopes that are exact binary fractions, so advancing the edges past the top clip in one
    // multiplication lands exactly where row-by-row stepping would.
    const Corners split{300, 10, 200, 74, 428, 266};
    const Corners flatBottom{300, 50, 200, 150, 400, 150};
    for (const Family& family : kFamilies) {
        for (const Corners& c : {split, flatBottom}) {
            const Drawn reference = Draw(family, c);
            SetClip(0, 100, 639, 479);
            const Drawn top = Draw(family, c);
            EXPECT_EQ(top.rows, CutTo(reference.rows, 0, 100, 639, 479)) << family.name;
            SetClip(0, 0, 639, 120);
            const Drawn bottom = Draw(family, c);
            EXPECT_EQ(bottom.rows, CutTo(reference.rows, 0, 0, 639, 120)) << family.name;
            DisplayReset();
        }
    }
}

TEST_F(TrianglesTest, SideClipsSkipHiddenRowsAndCutPartlyVisibleOnes) {
    // Corners off the canvas's left edge, so the reference already takes the per-edge path.
    const Corners c{-50, 10, 40, 10, 600, 300};
    for (const Family& family : kFamilies) {
        const Drawn reference = Draw(family, c);
        EXPECT_FALSE(reference.rows[10].empty()) << family.name;
        SetClip(100, 0, 539, 479);
        const Drawn cut = Draw(family, c);
        EXPECT_TRUE(cut.rows[10].empty()) << family.name;  // that row lies wholly left
        EXPECT_EQ(cut.rows, CutTo(reference.rows, 100, 0, 539, 479)) << family.name;
        EXPECT_TRUE(cut.onlyInsideClip) << family.name;
        DisplayReset();
    }
}

TEST_F(TrianglesTest, FixedPointRoundingNeverWritesPastTheClipEdge) {
    // Near the bottom of this triangle the fixed-point run length rounds one column beyond the
    // right edge at x = 20; with the clip edge there, that column must stay untouched.
    SetClip(0, 0, 20, 479);
    const Drawn d = Draw(kFamilies[1], Corners{20, 0, 10, 20, 20, 20}, 64, 64);
    EXPECT_TRUE(d.onlyInsideClip);
    EXPECT_EQ(d.rows[19], (Runs{{11, 20}}));
}

// The fill rule written out as documented, painting the rows it fills into an expected canvas.
// Where all corners lie within the clip columns the rule fills a run measured from the edge
// distance without cutting it; single-precision drift can then start it one column outside the
// clip rectangle (corners 42,3 4,15 26,19 with the left clip edge at 4: row 15 from column 3).
// The fills never write outside the clip rectangle, so those pixels are left out here too.
template <typename Pixel>
struct RuleFill {
    Canvas<Pixel>& canvas;
    Pixel colour;

    void Row(int y, int left, int right) const {
        left = std::max(left, Display.clipMinX);
        right = std::min(right, Display.clipMaxX);
        for (int x = left; x <= right; ++x) canvas.set(x, y, colour);
    }
    // A row where some corner lies outside the clip columns: the edges' columns cut at the clip
    // edges, the row skipped when it lies wholly outside them.
    void ClippedRow(int y, int left, int right) const {
        if (left < Display.clipMinX) {
            left = Display.clipMinX;
            if (right < Display.clipMinX) return;
        }
        if (right > Display.clipMaxX) {
            right = Display.clipMaxX;
            if (left > Display.clipMaxX) return;
        }
        Row(y, left, right);
    }
};

bool InsideClipColumns(int x1, int x2, int x3) {
    for (int x : {x1, x2, x3}) {
        if (x < Display.clipMinX || x > Display.clipMaxX) return false;
    }
    return true;
}

// Float edges. The flat-top shape starts its right edge half a pixel right; the flat-bottom
// shape starts both edges at the apex.
template <typename Pixel>
void RuleFloatRows(const RuleFill<Pixel>& fill, bool inside, float xl, float xr, float slopeLeft, float slopeRight,
                   int top, int bottom) {
    if (top < Display.clipMinY) {
        xl += slopeLeft * (Display.clipMinY - top);
        xr += slopeRight * (Display.clipMinY - top);
        top = Display.clipMinY;
    }
    if (bottom > Display.clipMaxY) bottom = Display.clipMaxY;
    for (int y = top; y <= bottom; ++y) {
        if (inside) {
            const int left = static_cast<int>(xl);
            fill.Row(y, left, left + static_cast<int>(xr - xl + 1) - 1);
        } else {
            fill.ClippedRow(y, static_cast<int>(xl), static_cast<int>(xr));
        }
        xl += slopeLeft;
        xr += slopeRight;
    }
}

template <typename Pixel>
void RuleFlatTopFloat(const RuleFill<Pixel>& fill, int x1, int y1, int x2, int, int x3, int y3) {
    if (x2 < x1) std::swap(x1, x2);
    const float h = static_cast<float>(y3 - y1);
    RuleFloatRows(fill, InsideClipColumns(x1, x2, x3), static_cast<float>(x1), x2 + 0.5f, (x3 - x1) / h, (x3 - x2) / h,
                  y1, y3);
}

template <typename Pixel>
void RuleFlatBottomFloat(const RuleFill<Pixel>& fill, int x1, int y1, int x2, int, int x3, int y3) {
    if (x3 < x2) std::swap(x2, x3);
    const float h = static_cast<float>(y3 - y1);
    RuleFloatRows(fill, InsideClipColumns(x1, x2, x3), static_cast<float>(x1), static_cast<float>(x1), (x2 - x1) / h,
                  (x3 - x1) / h, y1, y3);
}

// 16.16 fixed-point edges: a position p is column (p + 0x8000) >> 16. The positions are held in
// 64 bits: 32 would overflow only when skipping past a half wholly above the clip rectangle,
// which then fills no row.
void RuleFixedRows(const RuleFill<uint8_t>& fill, bool inside, int64_t xl, int64_t xr, int32_t slopeLeft,
                   int32_t slopeRight, int top, int bottom) {
    if (top < Display.clipMinY) {
        xl += int64_t{slopeLeft} * (Display.clipMinY - top);
        xr += int64_t{slopeRight} * (Display.clipMinY - top);
        top = Display.clipMinY;
    }
    if (bottom > Display.clipMaxY) bottom = Display.clipMaxY;
    for (int y = top; y <= bottom; ++y) {
        const int left = static_cast<int>((xl + 0x8000) >> 16);
        if (inside) {
            fill.Row(y, left, left + static_cast<int>((xr - xl + 0x8000) >> 16));
        } else {
            fill.ClippedRow(y, left, static_cast<int>((xr + 0x8000) >> 16));
        }
        xl += slopeLeft;
        xr += slopeRight;
    }
}

void RuleFlatTopFixed(const RuleFill<uint8_t>& fill, int x1, int y1, int x2, int y2, int x3, int y3) {
    if (y1 == y3 || y2 == y3) return;
    if (x2 < x1) std::swap(x1, x2);
    const int h = y3 - y1;
    RuleFixedRows(fill, InsideClipColumns(x1, x2, x3), x1 << 16, x2 << 16, ((x3 - x1) << 16) / h, ((x3 - x2) << 16) / h,
                  y1, y3);
}

void RuleFlatBottomFixed(const RuleFill<uint8_t>& fill, int x1, int y1, int x2, int y2, int x3, int y3) {
    if (y1 == y2 || y1 == y3) return;
    if (x3 < x2) std::swap(x2, x3);
    const int h = y3 - y1;
    RuleFixedRows(fill, InsideClipColumns(x1, x2, x3), x1 << 16, x1 << 16, ((x2 - x1) << 16) / h, ((x3 - x1) << 16) / h,
                  y1, y3);
}

// The general rule: reject, sort the corners by y, then one flat shape or two halves split at
// the middle corner's row.
template <typename Fill, typename FlatTop, typename FlatBottom>
void RuleTriangle(const Fill& fill, FlatTop flatTop, FlatBottom flatBottom, Corners c) {
    int x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2, x3 = c.x3, y3 = c.y3;
    if ((x1 == x2 && x2 == x3) || (y1 == y2 && y2 == y3)) return;
    if (y2 < y1) std::swap(x1, x2), std::swap(y1, y2);
    if (y3 < y1) std::swap(x1, x3), std::swap(y1, y3);
    if (y3 < y2) std::swap(x2, x3), std::swap(y2, y3);
    if (y3 < Display.clipMinY || y1 > Display.clipMaxY) return;
    if (x1 < Display.clipMinX && x2 < Display.clipMinX && x3 < Display.clipMinX) return;
    if (x1 > Display.clipMaxX && x2 > Display.clipMaxX && x3 > Display.clipMaxX) return;
    if (y1 == y2) {
        flatTop(fill, x1, y1, x2, y1, x3, y3);
    } else if (y2 == y3) {
        flatBottom(fill, x1, y1, x2, y3, x3, y3);
    } else {
        const int xs = x1 + static_cast<int>(std::trunc(double(y2 - y1) * (x3 - x1) / (y3 - y1) + 0.5));
        flatBottom(fill, x1, y1, xs, y2, x2, y2);
        flatTop(fill, x2, y2, xs, y2, x3, y3);
    }
}

// Corners for the fill rules: around and across a 64 x 48 canvas, some far off, and often
// sharing a row or a column with another corner (flat, degenerate and needle-thin shapes).
Corners RandomCorners(std::mt19937& random) {
    std::uniform_int_distribution<int> x(-30, 94), y(-25, 73), far(-600, 600), pick(0, 9);
    const auto coordinate = [&](std::uniform_int_distribution<int>& near) {
        return pick(random) == 0 ? far(random) : near(random);
    };
    Corners c{coordinate(x), coordinate(y), coordinate(x), coordinate(y), coordinate(x), coordinate(y)};
    switch (pick(random)) {
        case 0: c.y2 = c.y1; break;
        case 1: c.y3 = c.y2; break;
        case 2: c.x3 = c.x1; break;
        case 3: c.y3 = c.y2 = c.y1; break;
        case 4: c.x3 = c.x2 = c.x1; break;
        case 5: c.y2 = c.y1 + 1, c.x2 = c.x1 + pick(random) * 9; break;  // shallow
        default: break;
    }
    return c;
}

template <typename Pixel, typename FlatTop, typename FlatBottom>
void ExpectFamilyFollowsTheRule(Routine routine, FlatTop flatTop, FlatBottom flatBottom, uint32_t seed) {
    std::mt19937 random(seed);
    const Canvas<Pixel> blank(64, 48);
    Canvas<Pixel> drawn = blank, expected = blank;
    for (int trial = 0; trial < 4000; ++trial) {
        const Corners c = RandomCorners(random);
        drawn = expected = blank;
        routine(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, 0x1234, drawn.memory(), drawn.pitch());
        RuleTriangle(RuleFill<Pixel>{expected, static_cast<Pixel>(0x1234)}, flatTop, flatBottom, c);
        ASSERT_TRUE(drawn.SameAs(expected))
            << "corners " << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " " << c.x3 << "," << c.y3;
    }
}

TEST_F(TrianglesTest, FillsMatchTheFillRulesOnRandomTriangles) {
    SetClip(4, 3, 59, 44);
    {
        SCOPED_TRACE("float8");
        ExpectFamilyFollowsTheRule<uint8_t>(DrawTriangle8, RuleFlatTopFloat<uint8_t>, RuleFlatBottomFloat<uint8_t>,
                                            7101);
    }
    {
        SCOPED_TRACE("fixed8");
        ExpectFamilyFollowsTheRule<uint8_t>(DrawTriangleFixed8, RuleFlatTopFixed, RuleFlatBottomFixed, 7102);
    }
    {
        SCOPED_TRACE("float16");
        ExpectFamilyFollowsTheRule<uint16_t>(DrawTriangle16, RuleFlatTopFloat<uint16_t>, RuleFlatBottomFloat<uint16_t>,
                                             7103);
    }
}

// Random triangles with every corner on screen: each row from the top corner to the bottom one
// is one run, inside the corners' bounding box (the fixed family may round one column past).
TEST_F(TrianglesTest, OnScreenTrianglesFillEveryRowAsOneRun) {
    std::mt19937 random(77);
    std::uniform_int_distribution<int> x(0, 639), y(0, 479);
    for (int trial = 0; trial < 60; ++trial) {
        const Corners c{x(random), y(random), x(random), y(random), x(random), y(random)};
        if ((c.x1 == c.x2 && c.x2 == c.x3) || (c.y1 == c.y2 && c.y2 == c.y3)) continue;
        const int top = std::min({c.y1, c.y2, c.y3}), bottom = std::max({c.y1, c.y2, c.y3});
        const int left = std::min({c.x1, c.x2, c.x3}), right = std::max({c.x1, c.x2, c.x3});
        for (const Family& family : kFamilies) {
            const Drawn d = Draw(family, c);
            for (int row = 0; row < 480; ++row) {
                if (row < top || row > bottom) {
                    ASSERT_TRUE(d.rows[row].empty()) << family.name << " row " << row;
                    continue;
                }
                ASSERT_EQ(d.rows[row].size(), 1u) << family.name << " row " << row;
                EXPECT_GE(d.rows[row][0].first, left - 1) << family.name;
                EXPECT_LE(d.rows[row][0].second, right + 1) << family.name;
            }
        }
    }
}

// Random triangles reaching far past every edge, some with coordinates near the integer limits:
// nothing is written outside the clip rectangle or past a row's end.
TEST_F(TrianglesTest, FarOffTrianglesStayInsideTheClip) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> near(-2000, 2500);
    std::uniform_int_distribution<int> far(-2000000000, 2000000000);
    for (int trial = 0; trial < 80; ++trial) {
        auto pick = [&] { return trial % 4 == 0 ? far(random) : near(random); };
        const Corners c{pick(), pick(), pick(), pick(), pick(), pick()};
        for (const Family& family : kFamilies) {
            SetClip(30, 20, 609, 459);
            ASSERT_TRUE(Draw(family, c).onlyInsideClip) << family.name << " trial " << trial;
        }
    }
}

}  // namespace
