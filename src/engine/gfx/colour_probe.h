// The colour probe: does a rectangle of a locked 8-bit surface hold a colour index in a range?
#pragma once

#include <cstdint>

// 1 when a pixel of the rectangle (corners inclusive, each clamped to the screen) has an index
// from lowColour to highColour (low 8 bits of each), else 0. Reads nothing without memory.
int32_t ColourProbe(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t lowColour, int32_t highColour,
                    const uint8_t* memory, int32_t pitch);
