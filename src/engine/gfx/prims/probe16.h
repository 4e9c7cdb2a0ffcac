// Two surface routines: the 16-bit colour-key probe, which asks whether a rectangle of 16-bit
// pixels holds either of two exact colours, and the copy of one cell of a gridded picture into
// a whole off-screen surface.
#pragma once

#include "engine/gfx/bitmap_file.h"
#include "platform/standins/ddraw.h"

#include <cstdint>

// Scans the rectangle (x1, y1)-(x2, y2), corners included and clamped onto the screen, of a
// locked 16-bit surface; 1 at the first pixel equal to the low 16 bits of key1 or key2, else 0.
int32_t ColourKeyProbe16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t key1, int32_t key2,
                         const uint8_t* memory, int32_t pitch);
// Fills `surface` (w x h) from cell (cellX, cellY) of the 8-bit picture, where cells are w x h
// and framed by 1-pixel lines; copies nothing when the lock fails or the cell leaves the picture.
// Returns 1.
int32_t CopyBitmapCellToSurface(const BitmapFile* bitmap, IDirectDrawSurface7* surface, int32_t cellX, int32_t cellY);
