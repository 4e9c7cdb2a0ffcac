// The colour probes: does a rectangle of a locked 8-bit surface hold a colour index in a range,
// and does one of 16-bit pixels hold either of two exact colours?
#pragma once

#include <cstdint>

// 1 when a pixel of the rectangle (corners inclusive, each clamped to the screen) has an index
// from lowColour to highColour (low 8 bits of each), else 0. Reads nothing without memory.
int32_t ColourProbe(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t lowColour, int32_t highColour,
                    const uint8_t* memory, int32_t pitch);
// Scans the rectangle (x1, y1)-(x2, y2), corners included and clamped onto the screen, of a
// locked 16-bit surface; 1 at the first pixel equal to the low 16 bits of key1 or key2, else 0.
int32_t ColourKeyProbe16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t key1, int32_t key2,
                         const uint8_t* memory, int32_t pitch);
