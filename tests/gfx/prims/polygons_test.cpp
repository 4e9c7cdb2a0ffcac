#include "gfx/prims/polygons.h"

#include "gfx/prims/canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

class PolygonsTest : public PrimsTest {
protected:
    void SetUp() override {
        PrimsTest::SetUp();
        BuildTrigTables();
    }

    static Polygon2D Make(std::vector<Point2D>& vertices, int x0, int y0, int colour = 7) {
        return Polygon2D{1, static_cast<int32_t>(vertices.size()), x0, y0, colour, vertices.data()};
    }

    static std::vector<Point2D> Square() { return {{0, 0}, {10, 0}, {10, 10}, {0, 10}}; }
};

TEST_F(PolygonsTest, SquareFillCoversItsTopRowsButNotItsBottomRow) {
    auto vertices = Square();
    const Polygon2D square = Make(vertices, 100, 100);
    Canvas8 bytes(640, 480);
    FillPolygon8(&square, bytes.memory(), bytes.pitch());
    Canvas16 words(640, 480);
    FillPolygon16(&square, words.memory(), words.pitch());
    for (int y = 100; y <= 109; ++y) {
        EXPECT_EQ(bytes.Runs(y), (Runs{{100, 110}})) << y;
        EXPECT_EQ(words.Runs(y), (Runs{{100, 110}})) << y;
    }
    EXPECT_EQ(bytes.Count(), 110);
    EXPECT_EQ(words.Count(), 110);
    EXPECT_EQ(bytes.at(105, 105), 7);
    EXPECT_TRUE(words.PaddingClean());
}

TEST_F(PolygonsTest, FillRefusesTooFewVerticesOrNoVertexArray) {
    std::vector<Point2D> two{{0, 0}, {50, 50}};
    const Polygon2D line = Make(two, 100, 100);
    Polygon2D missing{1, 4, 100, 100, 7, nullptr};
    Canvas8 canvas(640, 480);
    FillPolygon8(&line, canvas.memory(), canvas.pitch());
    FillPolygon8(&missing, canvas.memory(), canvas.pitch());
    FillPolygon8(nullptr, canvas.memory(), canvas.pitch());
    FillPolygon16(&missing, canvas.memory(), canvas.pitch());
    EXPECT_EQ(canvas.Count(), 0);
}

// Signed distance of (x, y) outside a convex polygon's edge lines (negative inside), taken as
// the largest over all edges: never more than the true distance to the polygon.
double OutsideBy(const std::vector<Point2D>& v, double cx, double cy, double x, double y) {
    double worst = -1e9;
    for (size_t i = 0; i < v.size(); ++i) {
        const Point2D& a = v[i];
        const Point2D& b = v[(i + 1) % v.size()];
        const double nx = b.y - a.y, ny = a.x - b.x, len = std::hypot(nx, ny);
        double d = ((x - a.x) * nx + (y - a.y) * ny) / len;
        const double centre = ((cx - a.x) * nx + (cy - a.y) * ny) / len;
        if (centre > 0) d = -d;  // orient the normal away from the centre
        worst = std::max(worst, d);
    }
    return worst;
}

TEST_F(PolygonsTest, ConvexFillCoversTheInsideAndLittleElse) {
    for (int shape = 0; shape < 2; ++shape) {
        std::vector<Point2D> v;
        if (shape == 0) {
            for (int i = 0; i < 8; ++i) {
                const double a = i * 3.14159265 / 4 + 0.3;
                v.push_back({static_cast<float>(80 * std::cos(a)), static_cast<float>(80 * std::sin(a))});
            }
        } else {
            v = {{-120, -20}, {60, -70}, {120, 20}, {-60, 70}};  // a slanted rectangle
        }
        const Polygon2D polygon = Make(v, 320, 240);
        Canvas8 canvas(640, 480);
        FillPolygon8(&polygon, canvas.memory(), canvas.pitch());
        // The fill works on the vertices' truncated screen points; measure against those.
        for (Point2D& p : v) p = {std::trunc(320 + p.x) - 320, std::trunc(240 + p.y) - 240};
        for (int y = 0; y < 480; ++y) {
            EXPECT_LE(canvas.Runs(y).size(), 1u) << "shape " << shape << " row " << y;
            for (int x = 0; x < 640; ++x) {
                const double outside = OutsideBy(v, 0, 0, x - 320.0, y - 240.0);
                if (canvas.drawn(x, y)) {
                    // An x-major edge slides to its next row's crossing before the span is
                    // filled, so the fill may lead such an edge by about one row.
                    ASSERT_LE(outside, 2.0) << "shape " << shape << " at " << x << "," << y;
                } else {
                    ASSERT_GE(outside, -1.5) << "shape " << shape << " hole at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(PolygonsTest, OutlineIsClosedAndSkippedWhenInactive) {
    auto vertices = Square();
    Polygon2D square = Make(vertices, 100, 100);
    Canvas8 canvas(640, 480);
    EXPECT_EQ(DrawPolygon8(&square, canvas.memory(), canvas.pitch()), 1);
    EXPECT_EQ(canvas.Runs(100), (Runs{{100, 110}}));
    EXPECT_EQ(canvas.Runs(110), (Runs{{100, 110}}));
    EXPECT_EQ(canvas.Runs(105), (Runs{{100, 100}, {110, 110}}));  // the closing edge is there
    EXPECT_EQ(canvas.Count(), 40);

    Canvas8 untouched(640, 480);
    square.active = 0;
    EXPECT_EQ(DrawPolygon8(&square, untouched.memory(), untouched.pitch()), 0);
    Polygon2D missing{1, 4, 0, 0, 7, nullptr};
    EXPECT_EQ(DrawPolygon8(&missing, untouched.memory(), untouched.pitch()), 0);
    Polygon2D empty{1, 0, 0, 0, 7, vertices.data()};
    EXPECT_EQ(DrawPolygon16(&empty, untouched.memory(), untouched.pitch()), 0);
    EXPECT_EQ(DrawPolygon8(nullptr, untouched.memory(), untouched.pitch()), 0);
    EXPECT_EQ(untouched.Count(), 0);
}

TEST_F(PolygonsTest, OutlineReachingPastTheEdgesIsClipped) {
    // Every edge crosses the screen's edges: from above-left, to the right, to below.
    std::vector<Point2D> big{{-300, -150}, {800, 150}, {200, 650}};
    const Polygon2D polygon = Make(big, 100, 50, 0xABCD);
    SetClip(20, 10, 619, 469);
    Canvas16 canvas(640, 480);
    EXPECT_EQ(DrawPolygon16(&polygon, canvas.memory(), canvas.pitch()), 1);
    EXPECT_TRUE(canvas.OnlyInside(20, 10, 619, 469));
    EXPECT_GT(canvas.Count(), 0);
}

TEST_F(PolygonsTest, BoundsAlwaysHoldTheOrigin) {
    std::vector<Point2D> one{{5, 7}};
    const Polygon2D single = Make(one, 0, 0);
    float minX = 1, maxX = 1, minY = 1, maxY = 1;
    EXPECT_EQ(PolygonBounds(&single, &minX, &maxX, &minY, &maxY), 1);
    EXPECT_EQ((std::vector<float>{minX, maxX, minY, maxY}), (std::vector<float>{0, 5, 0, 7}));

    std::vector<Point2D> two{{-3, -4}, {2, -8}};
    const Polygon2D pair = Make(two, 0, 0);
    PolygonBounds(&pair, &minX, &maxX, &minY, &maxY);
    EXPECT_EQ((std::vector<float>{minX, maxX, minY, maxY}), (std::vector<float>{-3, 2, -8, 0}));

    const Polygon2D none{1, 0, 0, 0, 0, nullptr};
    EXPECT_EQ(PolygonBounds(&none, &minX, &maxX, &minY, &maxY), 0);
    EXPECT_EQ((std::vector<float>{minX, maxX, minY, maxY}), (std::vector<float>{0, 0, 0, 0}));
}

std::vector<Point2D> Rotated(int angle, bool matrix) {
    std::vector<Point2D> v{{10, 0}, {-3.5f, 7.25f}, {0, -12}, {100, 33}};
    Polygon2D p{1, 4, 0, 0, 0, v.data()};
    EXPECT_EQ(matrix ? RotatePolygonMatrix(&p, angle) : RotatePolygon(&p, angle), 1);
    return v;
}

bool Same(const std::vector<Point2D>& a, const std::vector<Point2D>& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
    return true;
}

TEST_F(PolygonsTest, RotationReadsTheTablesForAnyAngle) {
    const auto quarter = Rotated(90, false);
    EXPECT_NEAR(quarter[0].x, 0, 1e-5);
    EXPECT_NEAR(quarter[0].y, 10, 1e-5);  // y grows downwards: a quarter turn is clockwise
    EXPECT_TRUE(Same(Rotated(-90, false), Rotated(270, false)));
    EXPECT_TRUE(Same(Rotated(450, false), Rotated(90, false)));
    EXPECT_TRUE(Same(Rotated(-450, false), Rotated(270, false)));
    EXPECT_TRUE(Same(Rotated(720, false), Rotated(0, false)));
    EXPECT_TRUE(Same(Rotated(std::numeric_limits<int32_t>::min(), false), Rotated(232, false)));
    const auto full = Rotated(360, false);
    const auto none = Rotated(0, false);
    for (size_t i = 0; i < full.size(); ++i) {
        EXPECT_NEAR(full[i].x, none[i].x, 1e-4);
        EXPECT_NEAR(full[i].y, none[i].y, 1e-4);
    }
}

TEST_F(PolygonsTest, MatrixTransformsMatchTheDirectOnes) {
    for (int angle = -725; angle <= 725; angle += 11) {
        EXPECT_TRUE(Same(Rotated(angle, true), Rotated(angle, false))) << angle;
    }
    std::vector<Point2D> a{{1.5f, -2}, {3, 4.25f}, {-7, 0.1f}};
    std::vector<Point2D> b = a;
    Polygon2D pa{1, 3, 0, 0, 0, a.data()};
    Polygon2D pb{1, 3, 0, 0, 0, b.data()};
    EXPECT_EQ(ScalePolygon(&pa, 1.5f, -0.75f), 1);
    EXPECT_EQ(ScalePolygonMatrix(&pb, 1.5f, -0.75f), 1);
    EXPECT_TRUE(Same(a, b));
    EXPECT_FLOAT_EQ(a[0].x, 2.25f);
    EXPECT_FLOAT_EQ(a[1].y, -3.1875f);
}

TEST_F(PolygonsTest, TranslationMovesOnlyThePosition) {
    auto vertices = Square();
    Polygon2D p = Make(vertices, 10, 10);
    EXPECT_EQ(TranslatePolygonMatrix(&p, 3, -4), 1);
    EXPECT_EQ((std::vector<int>{p.x0, p.y0}), (std::vector<int>{13, 6}));
    EXPECT_EQ(TranslatePolygon(&p, -13, 4), 1);
    EXPECT_EQ((std::vector<int>{p.x0, p.y0}), (std::vector<int>{0, 10}));
    EXPECT_EQ(vertices[2].x, 10);
    EXPECT_EQ(TranslatePolygon(nullptr, 1, 1), 0);
    EXPECT_EQ(RotatePolygonMatrix(nullptr, 10), 0);
}

}  // namespace
