#include "engine/gfx/prims/polygons.h"

#include "engine/gfx/prims/lines.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

float SinTable[361];
float CosTable[361];

void BuildTrigTables() {
    for (int i = 0; i <= 360; ++i) {
        const float angle = static_cast<float>(i) * 3.1415927f / 180.0f;
        SinTable[i] = std::sin(angle);
        CosTable[i] = std::cos(angle);
    }
}

namespace {

struct ScreenPoint {
    int32_t x;
    int32_t y;
};

bool HasVertices(const Polygon2D* polygon) {
    return polygon != nullptr && polygon->vertices != nullptr && polygon->vertexCount > 0;
}

// The vertex's place on the surface: position plus vertex, summed as floats and truncated.
ScreenPoint ScreenPointOf(const Polygon2D& polygon, int32_t index) {
    const Point2D& v = polygon.vertices[index];
    return {TruncToInt32(static_cast<float>(polygon.x0) + v.x), TruncToInt32(static_cast<float>(polygon.y0) + v.y)};
}

// The tables cover -360..360 once negative angles are turned positive; anything further out is
// first brought into that range.
int32_t TableIndex(int32_t angle) {
    if (angle > 360 || angle < -360) {
        angle %= 360;
    }
    return angle < 0 ? angle + 360 : angle;
}

using LineRoutine = int32_t (*)(int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t*, int32_t);

int32_t DrawOutline(const Polygon2D* polygon, uint8_t* memory, int32_t pitch, LineRoutine line) {
    if (polygon == nullptr || polygon->active == 0 || !HasVertices(polygon)) {
        return 0;
    }
    const int32_t last = polygon->vertexCount - 1;
    for (int32_t i = 0; i < last; ++i) {
        const ScreenPoint a = ScreenPointOf(*polygon, i);
        const ScreenPoint b = ScreenPointOf(*polygon, i + 1);
        line(a.x, a.y, b.x, b.y, polygon->colour, memory, pitch);
    }
    const ScreenPoint first = ScreenPointOf(*polygon, 0);
    const ScreenPoint closing = ScreenPointOf(*polygon, last);
    line(first.x, first.y, closing.x, closing.y, polygon->colour, memory, pitch);
    return 1;
}

// --- the convex fill ---

struct BytePlotter {
    uint8_t* memory;
    int32_t pitch;
    int32_t colour;

    void Pixel(int32_t x, int32_t y) const { PutPixel8(x, y, colour, memory, pitch); }
    void Span(int32_t x0, int32_t x1, int32_t y) const {
        std::memset(memory + static_cast<ptrdiff_t>(y) * pitch + x0, colour & 0xFF, static_cast<size_t>(x1 - x0) + 1);
    }
};

struct WordPlotter {
    uint8_t* memory;
    int32_t pitch;
    int32_t colour;

    void Pixel(int32_t x, int32_t y) const { PutPixel16(x, y, colour, memory, pitch); }
    void Span(int32_t x0, int32_t x1, int32_t y) const {
        const ptrdiff_t wordsPerRow = pitch >> 1;
        uint16_t* row = reinterpret_cast<uint16_t*>(memory) + y * wordsPerRow;
        FillWords16(reinterpret_cast<uint8_t*>(row + x0), colour, x1 - x0 + 1);
    }
};

// One side of the polygon, walked down a scan line at a time with an integer error term.
struct EdgeWalk {
    int32_t vertex = 0;  // the vertex the current edge runs to
    int32_t x = 0;       // current column
    int32_t endX = 0;
    int32_t endY = 0;
    int32_t adx = 0;
    int32_t ady = 0;
    int32_t direction = 1;
    int32_t error = 0;
    int32_t steps = 0;
    bool xMajor = false;

    // Works out the edge's steps from its current point (x, y) to its end point.
    void Begin(int32_t y) {
        const int32_t dx = endX - x;
        adx = std::abs(dx);
        ady = std::abs(endY - y);
        direction = dx < 0 ? -1 : 1;
        error = 0;
        xMajor = ady < adx;
        steps = xMajor ? adx : ady;
    }

    // Moves the edge along one scan line. An x-major edge slides several pixels and writes the
    // ones it passes within the line; a y-major edge moves at most one pixel.
    template <typename Plotter>
    void ScanLine(const Plotter& plot, int32_t y) {
        if (xMajor) {
            while (error < adx && steps > 0) {
                --steps;
                x += direction;
                error += ady;
                if (error < adx) {
                    plot.Pixel(x, y);
                }
            }
            error -= adx;
        } else {
            error += adx;
            if (error >= ady) {
                x += direction;
                error -= ady;
            }
            --steps;
        }
    }
};

int32_t TopVertex(const Polygon2D& polygon) {
    int32_t top = 0;
    int32_t t = TruncToInt32(polygon.vertices[0].y);
    for (int32_t i = 1; i < polygon.vertexCount; ++i) {
        if (polygon.vertices[i].y < static_cast<float>(t)) {
            top = i;
            t = TruncToInt32(polygon.vertices[i].y);
        }
    }
    return top;
}

// Walks a left chain (to lower vertex numbers) and a right chain (to higher ones) down from the
// top vertex, filling the span between them on every scan line. Each pass runs until one of
// the two edges is used up; that chain then moves on to its next vertex. At least one edge ends
// per pass, so the fill ends after vertexCount - 1 edges.
template <typename Plotter>
void FillConvex(const Polygon2D& polygon, const Plotter& plot) {
    const int32_t count = polygon.vertexCount;
    const int32_t top = TopVertex(polygon);
    const ScreenPoint start = ScreenPointOf(polygon, top);
    EdgeWalk left;
    EdgeWalk right;
    left.x = right.x = start.x;
    left.vertex = (top + count - 1) % count;
    right.vertex = (top + 1) % count;
    const auto aim = [&](EdgeWalk& edge) {
        const ScreenPoint end = ScreenPointOf(polygon, edge.vertex);
        edge.endX = end.x;
        edge.endY = end.y;
    };
    aim(left);
    aim(right);
    int32_t y = start.y;
    for (int32_t edgesLeft = count - 1; edgesLeft > 0;) {
        left.Begin(y);
        right.Begin(y);
        while (left.steps > 0 && right.steps > 0) {
            left.ScanLine(plot, y);
            right.ScanLine(plot, y);
            plot.Span(std::min(left.x, right.x), std::max(left.x, right.x), y);
            ++y;
        }
        if (left.steps <= 0) {
            --edgesLeft;
            left.vertex = (left.vertex + count - 1) % count;
            aim(left);
        }
        if (right.steps <= 0) {
            --edgesLeft;
            right.vertex = (right.vertex + 1) % count;
            aim(right);
        }
    }
}

bool Fillable(const Polygon2D* polygon) {
    return polygon != nullptr && polygon->vertices != nullptr && polygon->vertexCount >= 3;
}

template <typename Transform>
int32_t ForEachVertex(Polygon2D* polygon, Transform transform) {
    if (polygon == nullptr) {
        return 0;
    }
    if (polygon->vertices != nullptr) {
        for (int32_t i = 0; i < polygon->vertexCount; ++i) {
            transform(polygon->vertices[i]);
        }
    }
    return 1;
}

}  // namespace

int32_t PolygonBounds(const Polygon2D* polygon, float* minX, float* maxX, float* minY, float* maxY) {
    if (minX == nullptr || maxX == nullptr || minY == nullptr || maxY == nullptr) {
        return 0;
    }
    *minX = *maxX = *minY = *maxY = 0.0f;
    if (!HasVertices(polygon)) {
        return 0;
    }
    for (int32_t i = 0; i < polygon->vertexCount; ++i) {
        const Point2D& v = polygon->vertices[i];
        if (v.x > *maxX) *maxX = v.x;
        if (v.x < *minX) *minX = v.x;
        if (v.y > *maxY) *maxY = v.y;
        if (v.y < *minY) *minY = v.y;
    }
    return 1;
}

int32_t DrawPolygon8(const Polygon2D* polygon, uint8_t* memory, int32_t pitch) {
    return DrawOutline(polygon, memory, pitch, DrawClippedLine8);
}

int32_t DrawPolygon16(const Polygon2D* polygon, uint8_t* memory, int32_t pitch) {
    return DrawOutline(polygon, memory, pitch, DrawClippedLine16);
}

void FillPolygon8(const Polygon2D* polygon, uint8_t* memory, int32_t pitch) {
    if (Fillable(polygon)) {
        FillConvex(*polygon, BytePlotter{memory, pitch, polygon->colour});
    }
}

void FillPolygon16(const Polygon2D* polygon, uint8_t* memory, int32_t pitch) {
    if (Fillable(polygon)) {
        FillConvex(*polygon, WordPlotter{memory, pitch, polygon->colour});
    }
}

int32_t TranslatePolygon(Polygon2D* polygon, int32_t dx, int32_t dy) {
    if (polygon == nullptr) {
        return 0;
    }
    polygon->x0 += dx;
    polygon->y0 += dy;
    return 1;
}

int32_t RotatePolygon(Polygon2D* polygon, int32_t angle) {
    const int32_t index = TableIndex(angle);
    const float c = CosTable[index];
    const float s = SinTable[index];
    return ForEachVertex(polygon, [c, s](Point2D& v) {
        const float x = v.x * c - v.y * s;
        v.y = v.x * s + v.y * c;
        v.x = x;
    });
}

int32_t ScalePolygon(Polygon2D* polygon, float sx, float sy) {
    return ForEachVertex(polygon, [sx, sy](Point2D& v) {
        v.x *= sx;
        v.y *= sy;
    });
}

int32_t TranslatePolygonMatrix(Polygon2D* polygon, int32_t dx, int32_t dy) {
    if (polygon == nullptr) {
        return 0;
    }
    Matrix3x2 move{};
    SetMatrix3x2(&move, 1, 0, 0, 1, static_cast<float>(dx), static_cast<float>(dy));
    const Point2D position{static_cast<float>(polygon->x0), static_cast<float>(polygon->y0)};
    Point2D moved{};
    MultiplyPointMatrix3x2(&position, &move, &moved);
    polygon->x0 = TruncToInt32(moved.x);
    polygon->y0 = TruncToInt32(moved.y);
    return 1;
}

int32_t RotatePolygonMatrix(Polygon2D* polygon, int32_t angle) {
    const int32_t index = TableIndex(angle);
    const float c = CosTable[index];
    const float s = SinTable[index];
    Matrix3x2 turn{};
    SetMatrix3x2(&turn, c, s, -s, c, 0, 0);
    return ForEachVertex(polygon, [&turn](Point2D& v) { MultiplyPointMatrix3x2(&v, &turn, &v); });
}

int32_t ScalePolygonMatrix(Polygon2D* polygon, float sx, float sy) {
    Matrix3x2 scale{};
    SetMatrix3x2(&scale, sx, 0, 0, sy, 0, 0);
    return ForEachVertex(polygon, [&scale](Point2D& v) { MultiplyPointMatrix3x2(&v, &scale, &v); });
}
