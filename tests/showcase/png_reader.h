// Reads back the palette PNG files the program writes, through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    int colourType = 0;
    std::vector<uint8_t> palette;  // 3 bytes an entry
    std::vector<uint8_t> indices;  // one byte a pixel, top row first
    std::string error;             // empty when the file read cleanly

    // The pixel's colour as 0xRRGGBB.
    uint32_t Rgb(int x, int y) const;
    // The pixel's palette index.
    int Index(int x, int y) const { return indices[static_cast<size_t>(y) * width + x]; }
};

PngImage PngRead(const std::vector<uint8_t>& bytes);
