// Bitmap images: pictures kept in plain memory with the position they are drawn at; and the copy
// of one cell of a gridded picture into a whole off-screen surface.
#pragma once

#include "engine/gfx/bitmap_file.h"
#include "platform/standins/ddraw.h"

#include <cstdint>
#include <vector>

constexpr int32_t IMAGE_LOADED = 0x80;

struct BitmapImage {
    int32_t state = 0;
    int32_t attributes = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t byteCount = 0;
    int32_t bitsPerPixel = 0;
    std::vector<uint8_t> pixels;  // byteCount bytes, top row first; empty in an empty record
};

// Makes a cleared image of the given size and depth at (x, y); 1, or 0 when refused.
int32_t BitmapImageCreate(BitmapImage* image, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t bitsPerPixel);
// Releases the pixels and empties the record; 1, or 0 for an empty record.
int32_t BitmapImageDestroy(BitmapImage* image);
// Copies the image's size from the bitmap at a cell (mode 0) or pixel position; 0 when refused.
int32_t BitmapImageLoad(BitmapImage* image, const BitmapFile* bitmap, int32_t column, int32_t row, int32_t mode);
int32_t BitmapImageLoad16(BitmapImage* image, const BitmapFile* bitmap, int32_t column, int32_t row, int32_t mode);
// Copies a loaded image into locked surface memory (colour 0 skipped when transparent != 0).
int32_t BitmapImageDraw(const BitmapImage* image, uint8_t* memory, int32_t pitch, int32_t transparent);
int32_t BitmapImageDraw16(const BitmapImage* image, uint8_t* memory, int32_t pitch, int32_t transparent);
// Scrolls the image horizontally by dx with wrap-around; dy alone does nothing.
int32_t BitmapImageScroll(BitmapImage* image, int32_t dx, int32_t dy);
// Copies a w by h rectangle between images (no clipping).
int32_t BitmapImageCopy(BitmapImage* destination, int32_t destX, int32_t destY, const BitmapImage* source,
                        int32_t sourceX, int32_t sourceY, int32_t width, int32_t height);
// Fills `surface` (w x h) from cell (cellX, cellY) of the 8-bit picture, where cells are w x h
// and framed by 1-pixel lines; copies nothing when the lock fails or the cell leaves the picture.
// Returns 1.
int32_t CopyBitmapCellToSurface(const BitmapFile* bitmap, IDirectDrawSurface7* surface, int32_t cellX, int32_t cellY);
