// Reads back the palette PNG files the showcase writes (stored deflate blocks only), checking
// every chunk's CRC and the zlib checksum on the way.
#pragma once

#include "platform/services/png.h"

#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    int colourType = 0;
    std::vector<uint8_t> palette;  // 3 bytes an entry
    std::vector<uint8_t> rows;     // filter byte and pixel bytes of every row
    std::string error;             // empty when the file read cleanly

    // The pixel's colour as 0xRRGGBB.
    uint32_t Rgb(int x, int y) const;
    // The pixel's palette index.
    int Index(int x, int y) const { return rows[static_cast<size_t>(y) * (width + 1) + 1 + x]; }
};

PngImage PngRead(const std::vector<uint8_t>& bytes);
