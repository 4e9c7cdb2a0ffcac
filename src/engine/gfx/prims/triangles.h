// Solid triangles, filled row by row into the memory of a locked surface and clipped to
// Display's clip rectangle. Three families: 8-bit pixels with float edges, 8-bit pixels with
// 16.16 fixed-point edges, and 16-bit pixels with float edges. Each has a general routine, which
// sorts the corners and splits the triangle at its middle corner, and two routines for a
// triangle with a horizontal edge. All take (x1, y1, x2, y2, x3, y3, colour, memory, pitch),
// the pitch in bytes; the 8-bit forms write the colour's low byte, the 16-bit its low 16 bits.
//
// Flat-top routines: (x1, y1)-(x2, y1) is the top edge (either order), (x3, y3) the apex below.
// Flat-bottom routines: (x1, y1) is the apex, (x2, y3)-(x3, y3) the bottom edge (either order).
// y2 repeats the y of the horizontal edge. A flat routine draws nothing for a triangle of zero
// height (or one whose apex is on the wrong side of its edge).
#pragma once

#include <cstdint>

// Fills any triangle; nothing when the corners share one x or one y, or lie wholly off-clip.
void DrawTriangle8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                   uint8_t* memory, int32_t pitch);
// Fills a triangle whose top edge is horizontal.
void DrawFlatTopTriangle8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                          uint8_t* memory, int32_t pitch);
// Fills a triangle whose bottom edge is horizontal.
void DrawFlatBottomTriangle8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                             uint8_t* memory, int32_t pitch);

// Fills any triangle with fixed-point edges.
void DrawTriangleFixed8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                        uint8_t* memory, int32_t pitch);
// Fills a flat-top triangle with fixed-point edges.
void DrawFlatTopTriangleFixed8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                               uint8_t* memory, int32_t pitch);
// Fills a flat-bottom triangle with fixed-point edges.
void DrawFlatBottomTriangleFixed8(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                                  int32_t colour, uint8_t* memory, int32_t pitch);

// Fills any triangle with 16-bit colour words.
void DrawTriangle16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                    uint8_t* memory, int32_t pitch);
// Fills a flat-top triangle with 16-bit colour words.
void DrawFlatTopTriangle16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                           uint8_t* memory, int32_t pitch);
// Fills a flat-bottom triangle with 16-bit colour words.
void DrawFlatBottomTriangle16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t colour,
                              uint8_t* memory, int32_t pitch);
