// Text output on a surface, through the surface's device context.
#pragma once

#include "platform/standins/ddraw.h"

#include <cstdint>

// Draws `text` with its top-left corner at (x, y) of `surface` in the COLORREF `colour`, over a
// transparent background; 0 when the surface gives no device context (for example while locked).
int32_t SurfaceDrawText(const char* text, int32_t x, int32_t y, COLORREF colour, IDirectDrawSurface7* surface);
// The same in the colour of entry `paletteIndex` of PaletteTable.
int32_t SurfaceDrawTextIndexed(const char* text, int32_t x, int32_t y, int32_t paletteIndex,
                               IDirectDrawSurface7* surface);
