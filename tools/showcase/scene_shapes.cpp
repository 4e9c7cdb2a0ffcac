// The line, triangle and polygon scenes.
#include "engine/gfx/display.h"
#include "engine/gfx/prims/lines.h"
#include "engine/gfx/prims/polygons.h"
#include "engine/gfx/prims/triangles.h"
#include "engine/gfx/text.h"
#include "scenes.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kTurn = 6.283185307179586;

// --- lines and spans ---

// The window the lines are clipped to, framed one pixel outside it.
constexpr int kLeft = 48, kTop = 40, kRight = 591, kBottom = 447;

void DrawClipFrame(uint8_t* memory, int32_t pitch) {
    FillRow8(kLeft - 1, kRight + 1, kTop - 1, COLOUR_GREY, memory, pitch);
    FillRow8(kLeft - 1, kRight + 1, kBottom + 1, COLOUR_GREY, memory, pitch);
    FillColumn8(kTop - 1, kBottom + 1, kLeft - 1, COLOUR_GREY, memory, pitch);
    FillColumn8(kTop - 1, kBottom + 1, kRight + 1, COLOUR_GREY, memory, pitch);
}

// A fan of 48 lines from a centre that wanders well past the screen's edges, rows and columns
// sweeping across and beyond the window, all cut at the window's edges.
void DrawLines(int frame, uint8_t* memory, int32_t pitch) {
    DrawClipFrame(memory, pitch);
    const ScopedClip clip(kLeft, kTop, kRight, kBottom);
    const double t = frame;
    const int cx = static_cast<int>(320 + 430 * std::sin(t * 0.045));
    const int cy = static_cast<int>(240 + 320 * std::sin(t * 0.031 + 1));
    for (int k = 0; k < 48; ++k) {
        const double a = k * kTurn / 48 + t * 0.01;
        DrawClippedLine8(cx, cy, cx + static_cast<int>(900 * std::cos(a)), cy + static_cast<int>(900 * std::sin(a)),
                         COLOUR_RAINBOW + k, memory, pitch);
    }
    for (int k = 0; k < 6; ++k) {
        const int y = (frame * 4 + k * 97) % 560 - 40;
        const int x0 = -150 + (frame * 9 + k * 130) % 400;
        FillRow8(x0, x0 + 520, y, COLOUR_RED + k, memory, pitch);
    }
    for (int k = 0; k < 4; ++k) {
        const int x = (frame * 5 + k * 173) % 760 - 60;
        FillColumn8(600, -100 + k * 60, x, COLOUR_WHITE, memory, pitch);
    }
}

// --- triangles ---

using TriangleRoutine = void (*)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t*, int32_t);

constexpr int kTrianglesBottom = 287;

// Five turning triangles about a centre in one half of the screen, crossing that half's edges.
void DrawSpinning(TriangleRoutine routine, int originX, int frame, uint8_t* memory, int32_t pitch) {
    const double t = frame;
    for (int k = 0; k < 5; ++k) {
        const double cx = originX + 160 + 90 * std::cos(k * 1.3 + t * 0.02);
        const double cy = 160 + 70 * std::sin(k * 1.7 + t * 0.025);
        const double r = 40 + 28 * k;
        const double a = (k % 2 ? 1 : -1) * t * 0.03 + k;
        int x[3], y[3];
        for (int i = 0; i < 3; ++i) {
            const double reach = r * (0.8 + 0.15 * i);
            x[i] = static_cast<int>(cx + reach * std::cos(a + i * kTurn / 3));
            y[i] = static_cast<int>(cy + reach * std::sin(a + i * kTurn / 3));
        }
        const int colours[5] = {COLOUR_SKY + 10, COLOUR_LEAF + 14, COLOUR_EMBER + 12, COLOUR_RAINBOW + 50,
                                COLOUR_EMBER + 28};
        routine(x[0], y[0], x[1], y[1], x[2], y[2], colours[k], memory, pitch);
    }
}

// The example triangle (10,10), (20,10), (15,20), moved to the corner of a 16 x 16 patch and
// shown nine times enlarged, so the two edge arithmetics can be told apart pixel by pixel.
void DrawMagnified(TriangleRoutine routine, int left, int top, uint8_t* memory, int32_t pitch) {
    uint8_t patch[16 * 16] = {};
    {
        const ScopedClip clip(0, 0, 15, 15);
        routine(2, 2, 12, 2, 7, 12, COLOUR_YELLOW, patch, 16);
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int colour = patch[y * 16 + x] ? COLOUR_YELLOW : COLOUR_DARK_GREY;
            for (int row = 0; row < 8; ++row) {
                FillRow8(left + x * 9, left + x * 9 + 7, top + y * 9 + row, colour, memory, pitch);
            }
        }
    }
}

void DrawTriangles(int frame, uint8_t* memory, int32_t pitch) {
    FillColumn8(24, 479, 319, COLOUR_WHITE, memory, pitch);
    FillColumn8(24, 479, 320, COLOUR_WHITE, memory, pitch);
    {
        const ScopedClip clip(0, 24, 318, kTrianglesBottom);
        DrawSpinning(DrawTriangle8, 0, frame, memory, pitch);
    }
    {
        const ScopedClip clip(321, 24, 639, kTrianglesBottom);
        DrawSpinning(DrawTriangleFixed8, 320, frame, memory, pitch);
    }
    FillRow8(0, 639, kTrianglesBottom + 1, COLOUR_GREY, memory, pitch);
    DrawMagnified(DrawTriangle8, 88, 324, memory, pitch);
    DrawMagnified(DrawTriangleFixed8, 408, 324, memory, pitch);
}

void LabelTriangles(int) {
    SurfaceDrawText("float edges", 100, 296, RGB(255, 255, 255), Display.backSurface);
    SurfaceDrawText("16.16 fixed-point edges", 384, 296, RGB(255, 255, 255), Display.backSurface);
}

// --- polygons ---

std::vector<Point2D> RegularShape(int corners, float radius, float inner = 0) {
    std::vector<Point2D> shape;
    for (int i = 0; i < corners; ++i) {
        const double a = i * kTurn / corners;
        const float r = (inner > 0 && i % 2) ? inner : radius;
        shape.push_back({static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a))});
    }
    return shape;
}

// The fills do not clip, so a filled shape is drawn only while it lies wholly on screen.
bool OnScreen(const Polygon2D& polygon) {
    float minX = 0, maxX = 0, minY = 0, maxY = 0;
    PolygonBounds(&polygon, &minX, &maxX, &minY, &maxY);
    return polygon.x0 + minX >= 0 && polygon.x0 + maxX < 640 && polygon.y0 + minY >= 24 && polygon.y0 + maxY < 480;
}

void FillAndOutline(const Polygon2D& polygon, int outline, uint8_t* memory, int32_t pitch) {
    if (OnScreen(polygon)) {
        FillPolygon8(&polygon, memory, pitch);
    }
    Polygon2D edge = polygon;
    edge.colour = outline;
    DrawPolygon8(&edge, memory, pitch);
}

void DrawPolygons(int frame, uint8_t* memory, int32_t pitch) {
    static const std::vector<Point2D> hexagon = RegularShape(6, 70);
    static const std::vector<Point2D> pentagon = RegularShape(5, 55);
    static const std::vector<Point2D> star = RegularShape(10, 90, 38);
    static const std::vector<Point2D> square = RegularShape(4, 170);
    const double t = frame;
    const float pulse = static_cast<float>(1 + 0.35 * std::sin(t * 0.07));

    // Turned and scaled directly, filled and outlined.
    std::vector<Point2D> a = hexagon;
    Polygon2D hex{1, 6, 150, 250, COLOUR_LEAF + 12, a.data()};
    RotatePolygon(&hex, frame * 4);
    ScalePolygon(&hex, pulse, pulse);
    FillAndOutline(hex, COLOUR_WHITE, memory, pitch);

    // The same moves through 3x2 matrices, and moved from side to side.
    std::vector<Point2D> b = pentagon;
    Polygon2D pent{1, 5, 450, 330, COLOUR_EMBER + 10, b.data()};
    RotatePolygonMatrix(&pent, -frame * 3);
    ScalePolygonMatrix(&pent, 2.2f - pulse, 2.2f - pulse);
    TranslatePolygonMatrix(&pent, static_cast<int>(130 * std::sin(t * 0.03)), 0);
    FillAndOutline(pent, COLOUR_YELLOW, memory, pitch);

    // Outlines only, travelling past the screen's edges.
    std::vector<Point2D> c = star;
    Polygon2D starShape{1,           10,      (frame * 6) % 900 - 130, static_cast<int>(120 + 90 * std::sin(t * 0.05)),
                        COLOUR_CYAN, c.data()};
    RotatePolygon(&starShape, frame * 5);
    DrawPolygon8(&starShape, memory, pitch);

    std::vector<Point2D> d = square;
    Polygon2D box{1, 4, 0, 0, COLOUR_MAGENTA, d.data()};
    TranslatePolygon(&box, static_cast<int>(320 + 360 * std::cos(t * 0.02)),
                     static_cast<int>(240 + 260 * std::sin(t * 0.027)));
    RotatePolygon(&box, -frame * 2);
    DrawPolygon8(&box, memory, pitch);
}

void Nothing() {}

}  // namespace

ScopedClip::ScopedClip(int32_t minX, int32_t minY, int32_t maxX, int32_t maxY)
    : saved_{Display.clipMinX, Display.clipMinY, Display.clipMaxX, Display.clipMaxY} {
    Display.clipMinX = minX;
    Display.clipMinY = minY;
    Display.clipMaxX = maxX;
    Display.clipMaxY = maxY;
}

ScopedClip::~ScopedClip() {
    Display.clipMinX = saved_[0];
    Display.clipMinY = saved_[1];
    Display.clipMaxX = saved_[2];
    Display.clipMaxY = saved_[3];
}

Scene LinesScene() {
    return {
        "Lines and spans, clipped to the framed window", "lines", -1, ShowcasePaletteSet, DrawLines, nullptr, Nothing};
}

Scene TrianglesScene() {
    return {"Triangles: float edges (left), 16.16 fixed point (right)",
            "triangles",
            -1,
            ShowcasePaletteSet,
            DrawTriangles,
            LabelTriangles,
            Nothing};
}

Scene PolygonsScene() {
    return {"Polygons: turned, scaled and moved; filled and outlined",
            "polygons",
            -1,
            ShowcasePaletteSet,
            DrawPolygons,
            nullptr,
            Nothing};
}
