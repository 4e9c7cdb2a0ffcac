// Pixels, clipped rows and columns, error-term lines, the line clipper and the box overlap test.
// Every drawing call writes straight into the memory of a locked surface, given as its first
// byte and its pitch in bytes. The 8-bit forms store the low byte of the colour (a palette
// index), the 16-bit forms its low 16 bits. The clipped calls clip to Display's clip rectangle
// (inclusive edges); the others check nothing and must be kept inside the surface.
#pragma once

#include <cstdint>

// Stores the colour byte at (x, y); returns 1. No clipping.
int32_t PutPixel8(int32_t x, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch);
// Stores the colour word at (x, y); returns 1. No clipping.
int32_t PutPixel16(int32_t x, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch);
// Fills row y from x0 to x1 (either order, both included), clipped.
void FillRow8(int32_t x0, int32_t x1, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch);
// Fills row y from x0 to x1 with colour words, clipped.
void FillRow16(int32_t x0, int32_t x1, int32_t y, int32_t colour, uint8_t* memory, int32_t pitch);
// Fills column x from y0 to y1 (either order, both included), clipped.
void FillColumn8(int32_t y0, int32_t y1, int32_t x, int32_t colour, uint8_t* memory, int32_t pitch);
// Fills column x from y0 to y1 with colour words, clipped.
void FillColumn16(int32_t y0, int32_t y1, int32_t x, int32_t colour, uint8_t* memory, int32_t pitch);
// Stores the colour word `count` times from `memory` on (nothing for a count below 1).
void FillWords16(uint8_t* memory, int32_t colour, int32_t count);
// Cuts the line to the clip rectangle in place; 1 when some of it is inside (the ends are then
// stored), 0 when none is (the ends are left as they were).
int32_t ClipLineToRect(int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1);
// Draws the line from (x0, y0) to (x1, y1), both ends included; returns 1. No clipping.
int32_t RasterLine8(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory, int32_t pitch);
// The same with colour words; returns 1. No clipping.
int32_t RasterLine16(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory, int32_t pitch);
// Draws the part of the line inside the clip rectangle; returns 1.
int32_t DrawClippedLine8(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory,
                         int32_t pitch);
// The same with colour words; returns 1.
int32_t DrawClippedLine16(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t colour, uint8_t* memory,
                          int32_t pitch);
// 1 when the two boxes, each reduced to three eighths of its size about a shifted centre,
// overlap; else 0.
int32_t BoxesOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2);

// Truncates toward zero like a cast, but saturates at the ends of the 32-bit range (and gives 0
// for NaN), so far-off float positions cannot make the conversion undefined. Inline: the fills
// call it twice per row.
inline int32_t TruncToInt32(double value) {
    if (!(value == value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return 2147483647;
    }
    if (value <= -2147483648.0) {
        return -2147483647 - 1;
    }
    return static_cast<int32_t>(value);
}
