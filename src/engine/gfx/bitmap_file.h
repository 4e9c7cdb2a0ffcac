// Bitmap files: a BMP file read into memory as its headers, palette and top-down pixel rows.
#pragma once

#include "platform/standins/ddraw.h"

#include <cstdint>
#include <vector>

// The two headers of a BMP file, laid out as in the file (our own records: the system headers of
// Windows declare theirs under other names).
#pragma pack(push, 1)
struct BitmapFileHeader {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};

struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
#pragma pack(pop)

struct BitmapFile {
    BitmapFileHeader fileHeader{};
    alignas(4) BitmapInfoHeader infoHeader{};  // aligned, so its fields are too
    PALETTEENTRY paletteEntries[256]{};
    // Pixel rows, top row first, each biWidth * (biBitCount / 8) bytes, no padding;
    // empty when the record holds no pixels.
    std::vector<uint8_t> pixels;

    bool hasPixels() const { return !pixels.empty(); }
};

// The largest width or height a bitmap file may have.
constexpr int32_t BITMAP_MAX_SIDE = 16384;

// Reads the named 8, 16 or 24-bit BMP file into `bitmap`; 1 on success, 0 on failure.
int32_t BitmapFileLoad(BitmapFile* bitmap, const char* fileName);
// Releases the record's pixels (headers and palette stay); returns 1.
int32_t BitmapFileUnload(BitmapFile* bitmap);
// Reverses the order of `rowCount` rows of `bytesPerRow` bytes in place; 1, or 0 when the
// working copy cannot be made.
int32_t BitmapFlipRows(uint8_t* buffer, int32_t bytesPerRow, int32_t rowCount);
