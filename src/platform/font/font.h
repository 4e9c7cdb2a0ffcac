// Text for the window services' TextOutA: a line rasterised in DejaVu Sans at the size of a
// classic system font.
#pragma once

#include <cstdint>
#include <vector>

// A rasterised line of text: one coverage byte (0 to 255) per pixel, rows top first.
struct FontMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

// Renders `text` into `out`. Returns false when the font or the text renderer is missing (said
// once on standard error).
bool FontRender(const char* text, FontMask& out);
