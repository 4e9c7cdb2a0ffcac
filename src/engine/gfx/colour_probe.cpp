#include "engine/gfx/colour_probe.h"

#include "engine/gfx/display.h"

#include <cstddef>
#include <cstring>

namespace {

int32_t Clamp(int32_t value, int32_t size) {
    if (value >= size) return size - 1;
    if (value < 0) return 0;
    return value;
}

}  // namespace

int32_t ColourProbe(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t lowColour, int32_t highColour,
                    const uint8_t* memory, int32_t pitch) {
    if (!memory || Display.screenWidth <= 0 || Display.screenHeight <= 0) {
        return 0;
    }
    x1 = Clamp(x1, Display.screenWidth);
    x2 = Clamp(x2, Display.screenWidth);
    y1 = Clamp(y1, Display.screenHeight);
    y2 = Clamp(y2, Display.screenHeight);
    if (x1 > x2 || y1 > y2) {
        return 0;
    }
    const uint8_t low = static_cast<uint8_t>(lowColour & 0xFF);
    const uint8_t high = static_cast<uint8_t>(highColour & 0xFF);
    for (int32_t y = y1; y <= y2; ++y) {
        const uint8_t* row = memory + static_cast<ptrdiff_t>(y) * pitch;
        for (int32_t x = x1; x <= x2; ++x) {
            if (row[x] >= low && row[x] <= high) {
                return 1;
            }
        }
    }
    return 0;
}

int32_t ColourKeyProbe16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t key1, int32_t key2,
                         const uint8_t* memory, int32_t pitch) {
    if (memory == nullptr || Display.screenWidth <= 0 || Display.screenHeight <= 0) {
        return 0;
    }
    x1 = Clamp(x1, Display.screenWidth);
    x2 = Clamp(x2, Display.screenWidth);
    y1 = Clamp(y1, Display.screenHeight);
    y2 = Clamp(y2, Display.screenHeight);
    const auto k1 = static_cast<uint16_t>(key1);
    const auto k2 = static_cast<uint16_t>(key2);
    for (int32_t y = y1; y <= y2; ++y) {
        const uint8_t* row = memory + static_cast<ptrdiff_t>(y) * pitch;
        for (int32_t x = x1; x <= x2; ++x) {
            uint16_t pixel = 0;
            std::memcpy(&pixel, row + 2 * static_cast<ptrdiff_t>(x), sizeof pixel);
            if (pixel == k1 || pixel == k2) {
                return 1;
            }
        }
    }
    return 0;
}
