#include "engine/gfx/prims/polygons.h"

#include "engine/gfx/prims/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

// The convex fill rule written out as documented, painting into an expected canvas; false when
// it would leave the canvas (the fill does not clip, so such a polygon is not drawn).
template <typename Pixel>
bool RuleFillPolygon(const Polygon2D& polygon, Canvas<Pixel>& canvas) {
    const int n = polygon.vertexCount;
    const auto screenX = [&](int i) { return static_cast<int>(std::trunc(polygon.x0 + polygon.vertices[i].x)); };
    const auto screenY = [&](int i) { return static_cast<int>(std::trunc(polygon.y0 + polygon.vertices[i].y)); };
    bool onCanvas = true;
    const auto plot = [&](int x, int y) {
        if (x < 0 || x >= canvas.width() || y < 0 || y >= canvas.height()) {
            onCanvas = false;
        } else {
            canvas.set(x, y, static_cast<Pixel>(polygon.colour));
        }
    };
    int top = 0;
    int t = static_cast<int>(std::trunc(polygon.vertices[0].y));
    for (int i = 1; i < n; ++i) {
        if (polygon.vertices[i].y < t) top = i, t = static_cast<int>(std::trunc(polygon.vertices[i].y));
    }
    struct Edge {
        int next, x, adx, ady, direction, error, steps;
        bool xMajor;
    };
    Edge chains[2] = {};  // the left chain walks to lower vertex numbers, the right to higher
    const int turn[2] = {n - 1, 1};
    int y = screenY(top);
    for (int side = 0; side < 2; ++side) {
        chains[side].x = screenX(top);
        chains[side].next = (top + turn[side]) % n;
    }
    for (int edgesToDraw = n - 1; edgesToDraw > 0;) {
        for (Edge& e : chains) {
            const int dx = screenX(e.next) - e.x;
            e.adx = std::abs(dx);
            e.ady = std::abs(screenY(e.next) - y);
            e.direction = dx < 0 ? -1 : 1;
            e.error = 0;
            e.xMajor = e.ady < e.adx;
            e.steps = e.xMajor ? e.adx : e.ady;
        }
        while (chains[0].steps > 0 && chains[1].steps > 0) {
            for (Edge& e : chains) {
                if (e.xMajor) {
                    while (e.error < e.adx && e.steps > 0) {
                        --e.steps;
                        e.x += e.direction;
                        e.error += e.ady;
                        if (e.error < e.adx) plot(e.x, y);
                    }
                    e.error -= e.adx;
                } else {
                    e.error += e.adx;
                    if (e.error >= e.ady) e.x += e.direction, e.error -= e.ady;
                    --e.steps;
                }
            }
            for (int x = std::min(chains[0].x, chains[1].x); x <= std::max(chains[0].x, chains[1].x); ++x) {
                plot(x, y);
            }
            ++y;
        }
        for (int side = 0; side < 2; ++side) {
            if (chains[side].steps > 0) continue;
            --edgesToDraw;
            chains[side].next = (chains[side].next + turn[side]) % n;
        }
    }
    return onCanvas;
}

// A convex polygon of 3 to 8 vertices on an ellipse, at quarter-pixel places, turning either
// way round: wide and flat, tall and thin, tiny, or with a vertex given twice.
std::vector<Point2D> RandomConvexVertices(std::mt19937& random) {
    std::uniform_int_distribution<int> count(3, 8), shape(0, 5);
    std::uniform_real_distribution<float> radius(0, 40), angle(0, 6.2831853f);
    float rx = radius(random), ry = radius(random) * 0.7f;
    switch (shape(random)) {
        case 0: ry *= 0.05f; break;  // shallow
        case 1: rx *= 0.05f; break;  // steep
        case 2: rx *= 0.03f, ry *= 0.03f; break;
        default: break;
    }
    std::vector<float> angles(count(random));
    for (float& a : angles) a = angle(random);
    std::sort(angles.begin(), angles.end());
    if (shape(random) < 3) std::reverse(angles.begin(), angles.end());
    std::vector<Point2D> v;
    for (float a : angles) {
        v.push_back({std::round(rx * std::cos(a) * 4) / 4, std::round(ry * std::sin(a) * 4) / 4});
    }
    if (shape(random) == 0) v.insert(v.begin() + 1, v[1]);
    return v;
}

std::string Describe(const Polygon2D& polygon) {
    std::string text = "at " + std::to_string(polygon.x0) + "," + std::to_string(polygon.y0) + ":";
    for (int i = 0; i < polygon.vertexCount; ++i) {
        text += " " + std::to_string(polygon.vertices[i].x) + "," + std::to_string(polygon.vertices[i].y);
    }
    return text;
}

TEST_F(PolygonsTest, ConvexFillsMatchTheFillRuleOnRandomPolygons) {
    std::mt19937 random(7201);
    std::uniform_int_distribution<int> centreX(42, 54), centreY(30, 36);
    const Canvas8 blankBytes(96, 72);
    const Canvas16 blankWords(96, 72);
    Canvas8 bytes = blankBytes, expectedBytes = blankBytes;
    Canvas16 words = blankWords, expectedWords = blankWords;
    int drawn = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<Point2D> v = RandomConvexVertices(random);
        const Polygon2D polygon = Make(v, centreX(random), centreY(random), 0x1A5);
        bytes = expectedBytes = blankBytes;
        words = expectedWords = blankWords;
        if (!RuleFillPolygon(polygon, expectedBytes) || !RuleFillPolygon(polygon, expectedWords)) continue;
        ++drawn;
        FillPolygon8(&polygon, bytes.memory(), bytes.pitch());
        FillPolygon16(&polygon, words.memory(), words.pitch());
        ASSERT_TRUE(bytes.SameAs(expectedBytes)) << Describe(polygon);
        ASSERT_TRUE(words.SameAs(expectedWords)) << Describe(polygon);
    }
    EXPECT_GT(drawn, 2900);
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
