#include "engine/gfx/prims/triangles.h"

#include "engine/gfx/display.h"
#include "engine/gfx/prims/lines.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>

namespace {

// --- where the runs go ---

struct BytePixels {
    uint8_t* memory;
    int32_t pitch;
    int32_t colour;

    void Fill(int32_t y, int64_t x, int64_t count) const {
        std::memset(memory + static_cast<ptrdiff_t>(y) * pitch + x, colour & 0xFF, static_cast<size_t>(count));
    }
};

struct WordPixels {
    uint8_t* memory;
    int32_t pitch;
    int32_t colour;

    void Fill(int32_t y, int64_t x, int64_t count) const {
        // Rows start at an even byte offset, whatever the pitch, so words stay aligned.
        uint8_t* row = memory + static_cast<ptrdiff_t>(y) * (pitch & ~1);
        FillWords16(row + 2 * x, colour, static_cast<int32_t>(count));
    }
};

// --- how the two edges move down the rows ---

// Float edges: positions and slopes in single precision, as the float family is defined.
struct FloatEdges {
    float xl;
    float xr;
    float slopeLeft;
    float slopeRight;

    void Skip(int64_t rows) {
        xl += slopeLeft * static_cast<float>(rows);
        xr += slopeRight * static_cast<float>(rows);
    }
    void Step() {
        xl += slopeLeft;
        xr += slopeRight;
    }
    void Ends(int64_t& left, int64_t& right) const {
        left = TruncToInt32(xl);
        right = TruncToInt32(xr);
    }
    // Only used while every corner lies inside the clip columns: the edges then stay between
    // the corners' x, well inside the int range, and need no saturating conversion.
    void Span(int64_t& left, int64_t& right) const {
        left = static_cast<int32_t>(xl);
        right = left + static_cast<int32_t>(xr - xl + 1.0f) - 1;
    }
};

// 16.16 fixed-point edges. Held in 64 bits: identical to 32-bit arithmetic wherever that does
// not overflow (sides under 32768 pixels), and still defined where it would.
struct FixedEdges {
    int64_t xl;
    int64_t xr;
    int64_t slopeLeft;
    int64_t slopeRight;

    static int64_t Column(int64_t position) { return (position + 0x8000) >> 16; }

    void Skip(int64_t rows) {
        xl += slopeLeft * rows;
        xr += slopeRight * rows;
    }
    void Step() {
        xl += slopeLeft;
        xr += slopeRight;
    }
    void Ends(int64_t& left, int64_t& right) const {
        left = Column(xl);
        right = Column(xr);
    }
    void Span(int64_t& left, int64_t& right) const {
        left = Column(xl);
        right = left + ((xr - xl + 0x8000) >> 16);
    }
};

int64_t FixedSlope(int32_t from, int32_t to, int64_t height) { return ((int64_t{to} - from) * 65536) / height; }

bool AllInsideClipX(int32_t x1, int32_t x2, int32_t x3) {
    const auto inside = [](int32_t x) { return x >= Display.clipMinX && x <= Display.clipMaxX; };
    return inside(x1) && inside(x2) && inside(x3);
}

// Fills rows yTop..yBottom between the two edges, cut to the clip rectangle. When all corners
// lie inside the clip columns the run length comes from the edge distance (`Span`); otherwise
// each edge gives its own column (`Ends`). Either way a run is cut at the clip edges, so
// rounding in the edge arithmetic can never write outside them.
template <typename Pixels, typename Edges>
void FillRows(const Pixels& pixels, Edges edges, int32_t yTop, int32_t yBottom, bool cornersInside) {
    yBottom = std::min(yBottom, Display.clipMaxY);
    if (yTop < Display.clipMinY) {
        // Only a triangle that reaches the clip rectangle is advanced to it: the skip then
        // stays within the triangle's height, so the edge arithmetic cannot overflow.
        if (yBottom < Display.clipMinY) {
            return;
        }
        edges.Skip(int64_t{Display.clipMinY} - yTop);
        yTop = Display.clipMinY;
    }
    for (int32_t y = yTop; y <= yBottom; ++y) {
        int64_t left = 0;
        int64_t right = 0;
        if (cornersInside) {
            edges.Span(left, right);
        } else {
            edges.Ends(left, right);
        }
        edges.Step();
        left = std::max<int64_t>(left, Display.clipMinX);
        right = std::min<int64_t>(right, Display.clipMaxX);
        if (left <= right) {
            pixels.Fill(y, left, right - left + 1);
        }
    }
}

// --- the flat shapes, per edge arithmetic ---

template <typename Pixels>
void FlatTopFloat(const Pixels& pixels, int32_t x1, int32_t y1, int32_t x2, int32_t x3, int32_t y3) {
    if (y3 <= y1) {
        return;  // zero height, or the apex above its edge: nothing to fill
    }
    if (x2 < x1) {
        std::swap(x1, x2);
    }
    const float height = static_cast<float>(int64_t{y3} - y1);
    const FloatEdges edges{static_cast<float>(x1), static_cast<float>(x2) + 0.5f,
                           static_cast<float>(int64_t{x3} - x1) / height,
                           static_cast<float>(int64_t{x3} - x2) / height};
    FillRows(pixels, edges, y1, y3, AllInsideClipX(x1, x2, x3));
}

template <typename Pixels>
void FlatBottomFloat(const Pixels& pixels, int32_t x1, int32_t y1, int32_t x2, int32_t x3, int32_t y3) {
    if (y3 <= y1) {
        return;
    }
    if (x3 < x2) {
        std::swap(x2, x3);
    }
    const float height = static_cast<float>(int64_t{y3} - y1);
    const FloatEdges edges{static_cast<float>(x1), static_cast<float>(x1),
                           static_cast<float>(int64_t{x2} - x1) / height,
                           static_cast<float>(int64_t{x3} - x1) / height};
    FillRows(pixels, edges, y1, y3, AllInsideClipX(x1, x2, x3));
}

// The general routine shared by the three families: reject, sort by y, and fill the one flat
// shape or the two halves split at the middle corner's row (which both halves fill).
using FlatRoutine = void (*)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t*, int32_t);

template <FlatRoutine FlatTop, FlatRoutine FlatBottom>
void DrawGeneral(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                 uint8_t* memory, int32_t pitch) {
    if ((x1 == x2 && x2 == x3) || (y1 == y2 && y2 == y3)) {
        return;
    }
    if (y2 < y1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (y3 < y1) {
        std::swap(x1, x3);
        std::swap(y1, y3);
    }
    if (y3 < y2) {
        std::swap(x2, x3);
        std::swap(y2, y3);
    }
    if (y3 < Display.clipMinY || y1 > Display.clipMaxY) {
        return;
    }
    if (std::max({x1, x2, x3}) < Display.clipMinX || std::min({x1, x2, x3}) > Display.clipMaxX) {
        return;
    }
    if (y1 == y2) {
        FlatTop(x1, y1, x2, y1, x3, y3, colour, memory, pitch);
    } else if (y2 == y3) {
        FlatBottom(x1, y1, x2, y3, x3, y3, colour, memory, pitch);
    } else {
        const double ratio = static_cast<double>(int64_t{y2} - y1) * static_cast<double>(int64_t{x3} - x1) /
                             static_cast<double>(int64_t{y3} - y1);
        const int32_t xs = TruncToInt32(x1 + std::trunc(ratio + 0.5));
        FlatBottom(x1, y1, xs, y2, x2, y2, colour, memory, pitch);
        FlatTop(x2, y2, xs, y2, x3, y3, colour, memory, pitch);
    }
}

}  // namespace

void DrawFlatTopTriangle8(int32_t x1, int32_t y1, int32_t x2, int32_t /*y2*/, int32_t x3, int32_t y3, int32_t colour,
                          uint8_t* memory, int32_t pitch) {
    FlatTopFloat(BytePixels{memory, pitch, colour}, x1, y1, x2, x3, y3);
}

void DrawFlatBottomTriangle8(int32_t x1, int32_t y1, int32_t x2, int32_t /*y2*/, int32_t x3, int32_t y3, int32_t colour,
                             uint8_t* memory, int32_t pitch) {
    FlatBottomFloat(BytePixels{memory, pitch, colour}, x1, y1, x2, x3, y3);
}

void DrawTriangle8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                   uint8_t* memory, int32_t pitch) {
    DrawGeneral<DrawFlatTopTriangle8, DrawFlatBottomTriangle8>(x1, y1, x2, y2, x3, y3, colour, memory, pitch);
}

void DrawFlatTopTriangle16(int32_t x1, int32_t y1, int32_t x2, int32_t /*y2*/, int32_t x3, int32_t y3, int32_t colour,
                           uint8_t* memory, int32_t pitch) {
    FlatTopFloat(WordPixels{memory, pitch, colour}, x1, y1, x2, x3, y3);
}

void DrawFlatBottomTriangle16(int32_t x1, int32_t y1, int32_t x2, int32_t /*y2*/, int32_t x3, int32_t y3,
                              int32_t colour, uint8_t* memory, int32_t pitch) {
    FlatBottomFloat(WordPixels{memory, pitch, colour}, x1, y1, x2, x3, y3);
}

void DrawTriangle16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                    uint8_t* memory, int32_t pitch) {
    DrawGeneral<DrawFlatTopTriangle16, DrawFlatBottomTriangle16>(x1, y1, x2, y2, x3, y3, colour, memory, pitch);
}

void DrawFlatTopTriangleFixed8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                               uint8_t* memory, int32_t pitch) {
    if (y1 == y3 || y2 == y3 || y3 < y1) {
        return;
    }
    if (x2 < x1) {
        std::swap(x1, x2);
    }
    const int64_t height = int64_t{y3} - y1;
    const FixedEdges edges{int64_t{x1} * 65536, int64_t{x2} * 65536, FixedSlope(x1, x3, height),
                           FixedSlope(x2, x3, height)};
    FillRows(BytePixels{memory, pitch, colour}, edges, y1, y3, AllInsideClipX(x1, x2, x3));
}

void DrawFlatBottomTriangleFixed8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                                  int32_t colour, uint8_t* memory, int32_t pitch) {
    if (y1 == y2 || y1 == y3 || y3 < y1) {
        return;
    }
    if (x3 < x2) {
        std::swap(x2, x3);
    }
    const int64_t height = int64_t{y3} - y1;
    const FixedEdges edges{int64_t{x1} * 65536, int64_t{x1} * 65536, FixedSlope(x1, x2, height),
                           FixedSlope(x1, x3, height)};
    FillRows(BytePixels{memory, pitch, colour}, edges, y1, y3, AllInsideClipX(x1, x2, x3));
}

void DrawTriangleFixed8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                        uint8_t* memory, int32_t pitch) {
    DrawGeneral<DrawFlatTopTriangleFixed8, DrawFlatBottomTriangleFixed8>(x1, y1, x2, y2, x3, y3, colour, memory, pitch);
}
