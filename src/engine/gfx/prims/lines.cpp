#include "engine/gfx/prims/lines.h"

#include "engine/gfx/display.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

// Region codes of the line clipper.
constexpr int32_t CODE_LEFT = 1;
constexpr int32_t CODE_RIGHT = 2;
constexpr int32_t CODE_BOTTOM = 4;
constexpr int32_t CODE_TOP = 8;

uint16_t* WordAt(uint8_t* memory, int32_t pitch, int32_t x, int32_t y) {
    const ptrdiff_t wordsPerRow = pitch >> 1;
    return reinterpret_cast<uint16_t*>(memory) + x + y * wordsPerRow;
}

int32_t RegionCode(int64_t x, int64_t y) {
    int32_t code = 0;
    if (y < Display.clipMinY) {
        code = CODE_TOP;
    } else if (y > Display.clipMaxY) {
        code = CODE_BOTTOM;
    }
    if (x < Display.clipMinX) {
        code |= CODE_LEFT;
    } else if (x > Display.clipMaxX) {
        code |= CODE_RIGHT;
    }
    return code;
}

struct ClipPoint {
    int64_t x;
    int64_t y;
};

// Adding one half in floating point after the integer division and truncating toward zero
// only moves a negative crossing, by one toward zero.
int64_t AddHalfAndTruncate(int64_t n) { return n < 0 ? n + 1 : n; }

// Where the line a-b meets row `edge` (along) or column `edge`. The product is taken in 128
// bits: far-off endpoints can need more than 64.
int64_t Crossing(int64_t along0, int64_t across0, int64_t along1, int64_t across1, int64_t edge, bool half) {
    const __int128 product = static_cast<__int128>(edge - across0) * (along1 - along0);
    const int64_t n = along0 + static_cast<int64_t>(product / (across1 - across0));
    return half ? AddHalfAndTruncate(n) : n;
}

// Moves endpoint `a` (region code `code`) onto the clip edge its code names, with `b` as the
// partner. A corner code tries the top or bottom edge first and falls back to the side edge
// when that crossing misses the rectangle.
ClipPoint MoveToEdge(ClipPoint a, ClipPoint b, int32_t code, bool halfOnSingleEdge) {
    if (code == 0) {
        return a;
    }
    const bool single = code == CODE_TOP || code == CODE_BOTTOM || code == CODE_LEFT || code == CODE_RIGHT;
    const bool half = !single || halfOnSingleEdge;
    if (code & (CODE_TOP | CODE_BOTTOM)) {
        const int64_t edge = (code & CODE_TOP) ? Display.clipMinY : Display.clipMaxY;
        const int64_t x = Crossing(a.x, a.y, b.x, b.y, edge, half);
        if (single || (x >= Display.clipMinX && x <= Display.clipMaxX)) {
            return {x, edge};
        }
    }
    const int64_t edge = (code & CODE_LEFT) ? Display.clipMinX : Display.clipMaxX;
    return {edge, Crossing(a.y, a.x, b.y, b.x, edge, half)};
}

bool InsideClip(ClipPoint p) { return RegionCode(p.x, p.y) == 0; }

// Clips the run x0..x1 of row y; false when nothing of it is inside the clip rectangle.
bool ClipRow(int32_t& x0, int32_t& x1, int32_t y) {
    if (y > Display.clipMaxY || y < Display.clipMinY) {
        return false;
    }
    if (x0 > x1) {
        std::swap(x0, x1);
    }
    if (x0 > Display.clipMaxX || x1 < Display.clipMinX) {
        return false;
    }
    x0 = std::max(x0, Display.clipMinX);
    x1 = std::min(x1, Display.clipMaxX);
    return true;
}

// Clips the run y0..y1 of column x; false when nothing of it is inside the clip rectangle.
bool ClipColumn(int32_t& y0, int32_t& y1, int32_t x) {
    if (x > Display.clipMaxX || x < Display.clipMinX) {
        return false;
    }
    if (y0 > y1) {
        std::swap(y0, y1);
    }
    if (y0 > Display.clipMaxY || y1 < Display.clipMinY) {
        return false;
    }
    y0 = std::max(y0, Display.clipMinY);
    y1 = std::min(y1, Display.clipMaxY);
    return true;
}

}  // namespace

int32_t PutPixel8(int32_t x, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch) {
    memory[x + static_cast<ptrdiff_t>(y) * pitch] = static_cast<uint8_t>(colour);
    return 1;
}

int32_t PutPixel16(int32_t x, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch) {
    *WordAt(memory, pitch, x, y) = static_cast<uint16_t>(colour);
    return 1;
}

// Word fills are the inner loop of every 16-bit fill. A word whose two bytes agree is a byte
// fill; any other is stored 32 bytes at a time from a pattern block, which the compiler turns
// into wide stores (a plain word loop stores two bytes per instruction).
void FillWords16(uint8_t* memory, int32_t colour, int32_t count) {
    if (count <= 0) {
        return;
    }
    const auto word = static_cast<uint16_t>(colour);
    size_t bytes = static_cast<size_t>(count) * 2;
    if ((word >> 8) == (word & 0xFF)) {
        std::memset(memory, word & 0xFF, bytes);
        return;
    }
    uint16_t pattern[16];
    std::fill_n(pattern, 16, word);
    for (; bytes >= sizeof pattern; bytes -= sizeof pattern, memory += sizeof pattern) {
        std::memcpy(memory, pattern, sizeof pattern);
    }
    std::memcpy(memory, pattern, bytes);
}

void FillRow8(int32_t x0, int32_t x1, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch) {
    if (ClipRow(x0, x1, y)) {
        std::memset(memory + static_cast<ptrdiff_t>(y) * pitch + x0, colour & 0xFF, static_cast<size_t>(x1 - x0) + 1);
    }
}

void FillRow16(int32_t x0, int32_t x1, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch) {
    if (ClipRow(x0, x1, y)) {
        FillWords16(reinterpret_cast<uint8_t*>(WordAt(memory, pitch, x0, y)), colour, x1 - x0 + 1);
    }
}

void FillColumn8(int32_t y0, int32_t y1, int32_t x, int32_t colour, uint8_t* memory, int32_t pitch) {
    if (!ClipColumn(y0, y1, x)) {
        return;
    }
    uint8_t* pixel = memory + static_cast<ptrdiff_t>(y0) * pitch + x;
    for (int32_t y = y0; y <= y1; ++y, pixel += pitch) {
        *pixel = static_cast<uint8_t>(colour);
    }
}

void FillColumn16(int32_t y0, int32_t y1, int32_t x, int32_t colour, uint8_t* memory, int32_t pitch) {
    if (!ClipColumn(y0, y1, x)) {
        return;
    }
    const ptrdiff_t wordsPerRow = pitch >> 1;
    uint16_t* pixel = WordAt(memory, pitch, x, y0);
    for (int32_t y = y0; y <= y1; ++y, pixel += wordsPerRow) {
        *pixel = static_cast<uint16_t>(colour);
    }
}

int32_t ClipLineToRect(int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) {
    const ClipPoint p0{x0, y0};
    const ClipPoint p1{x1, y1};
    const int32_t code0 = RegionCode(p0.x, p0.y);
    const int32_t code1 = RegionCode(p1.x, p1.y);
    if (code0 & code1) {
        return 0;
    }
    if (code0 == 0 && code1 == 0) {
        return 1;
    }
    // Both crossings are measured from the ends as given, never from an already moved end;
    // the second end's single-edge crossing is the plain integer one, without the half.
    const ClipPoint c0 = MoveToEdge(p0, p1, code0, true);
    const ClipPoint c1 = MoveToEdge(p1, p0, code1, false);
    if (!InsideClip(c0) || !InsideClip(c1)) {
        return 0;
    }
    x0 = static_cast<int32_t>(c0.x);
    y0 = static_cast<int32_t>(c0.y);
    x1 = static_cast<int32_t>(c1.x);
    y1 = static_cast<int32_t>(c1.y);
    return 1;
}

namespace {

// The error-term walk shared by both depths: `Pixel` is a byte or a word, the steps are in
// pixels of that size.
template <typename Pixel>
void WalkLine(Pixel* at, int32_t dx, int32_t dy, ptrdiff_t rowStep, Pixel colour) {
    ptrdiff_t xStep = 1;
    ptrdiff_t yStep = rowStep;
    if (dx < 0) {
        xStep = -1;
        dx = -dx;
    }
    if (dy < 0) {
        yStep = -rowStep;
        dy = -dy;
    }
    // The major axis takes one step every pixel; the minor one when the error turns non-negative.
    const bool xMajor = dx > dy;
    const int32_t major = xMajor ? dx : dy;
    const int32_t minor = xMajor ? dy : dx;
    const ptrdiff_t majorStep = xMajor ? xStep : yStep;
    const ptrdiff_t minorStep = xMajor ? yStep : xStep;
    int32_t error = 2 * minor - major;
    for (int32_t i = 0; i <= major; ++i) {
        *at = colour;
        if (error >= 0) {
            error -= 2 * major;
            at += minorStep;
        }
        error += 2 * minor;
        at += majorStep;
    }
}

}  // namespace

int32_t RasterLine8(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory, int32_t pitch) {
    uint8_t* start = memory + x0 + static_cast<ptrdiff_t>(y0) * pitch;
    WalkLine<uint8_t>(start, x1 - x0, y1 - y0, pitch, static_cast<uint8_t>(colour));
    return 1;
}

int32_t RasterLine16(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory, int32_t pitch) {
    WalkLine<uint16_t>(WordAt(memory, pitch, x0, y0), x1 - x0, y1 - y0, pitch >> 1, static_cast<uint16_t>(colour));
    return 1;
}

int32_t DrawClippedLine8(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory,
                         int32_t pitch) {
    if (ClipLineToRect(x0, y0, x1, y1)) {
        RasterLine8(x0, y0, x1, y1, colour, memory, pitch);
    }
    return 1;
}

int32_t DrawClippedLine16(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory,
                          int32_t pitch) {
    if (ClipLineToRect(x0, y0, x1, y1)) {
        RasterLine16(x0, y0, x1, y1, colour, memory, pitch);
    }
    return 1;
}

int32_t BoxesOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2) {
    // Three eighths of each side, so sprites must overlap well before they count as touching.
    const int64_t hw1 = (w1 >> 1) - (w1 >> 3);
    const int64_t hh1 = (h1 >> 1) - (h1 >> 3);
    const int64_t hw2 = (w2 >> 1) - (w2 >> 3);
    const int64_t hh2 = (h2 >> 1) - (h2 >> 3);
    const int64_t dx = (int64_t{x1} + hw1) - (int64_t{x2} + hw2);
    const int64_t dy = (int64_t{y1} + hh1) - (int64_t{y2} + hh2);
    return (std::llabs(dx) < hw1 + hw2 && std::llabs(dy) < hh1 + hh2) ? 1 : 0;
}
