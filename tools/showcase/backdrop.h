// The picture behind the transition scenes: a landscape from the data pack, or a drawn pattern
// in the showcase palette when the pack has none.
#pragma once

#include <cstdint>

// Reads "LANDSCAPE<number>.BMP" from the working folder; false (the pattern stands in) when it
// cannot be read.
bool BackdropLoad(int number);
// Sets the display palette the backdrop is shown with.
void BackdropSetPalette();
// Draws the backdrop into the locked 640 x 480 back surface.
void BackdropDraw(uint8_t* memory, int32_t pitch);
