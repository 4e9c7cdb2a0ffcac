#include "engine/gfx/prims/probe16.h"

#include "engine/gfx/display.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

// A value at or past the end becomes the last place, a negative one the first.
int32_t ClampOnto(int32_t value, int32_t size) {
    if (value >= size) {
        value = size - 1;
    }
    return value < 0 ? 0 : value;
}

// The picture's own rows: never more than its pixel store holds, whatever the header says.
int64_t PictureRows(const BitmapFile& bitmap) {
    const int64_t width = bitmap.infoHeader.biWidth;
    if (width <= 0) {
        return 0;
    }
    const int64_t stored = static_cast<int64_t>(bitmap.pixels.size()) / width;
    return std::min<int64_t>(std::llabs(bitmap.infoHeader.biHeight), stored);
}

}  // namespace

int32_t ColourKeyProbe16(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t key1, int32_t key2,
                         const uint8_t* memory, int32_t pitch) {
    if (memory == nullptr || Display.screenWidth <= 0 || Display.screenHeight <= 0) {
        return 0;
    }
    x1 = ClampOnto(x1, Display.screenWidth);
    x2 = ClampOnto(x2, Display.screenWidth);
    y1 = ClampOnto(y1, Display.screenHeight);
    y2 = ClampOnto(y2, Display.screenHeight);
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

int32_t CopyBitmapCellToSurface(const BitmapFile* bitmap, IDirectDrawSurface7* surface, int32_t cellX, int32_t cellY) {
    if (bitmap == nullptr || surface == nullptr) {
        return 1;
    }
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, nullptr)) ||
        desc.lpSurface == nullptr) {
        return 1;
    }
    const int64_t w = desc.dwWidth;
    const int64_t h = desc.dwHeight;
    // Cells are w x h, with a 1-pixel line before each and around the whole grid.
    const int64_t left = int64_t{cellX} * (w + 1) + 1;
    const int64_t top = int64_t{cellY} * (h + 1) + 1;
    const int64_t pictureWidth = bitmap->infoHeader.biWidth;
    const bool inside = cellX >= 0 && cellY >= 0 && left + w <= pictureWidth && top + h <= PictureRows(*bitmap) &&
                        desc.lPitch >= w;
    if (inside) {
        const uint8_t* source = bitmap->pixels.data() + top * pictureWidth + left;
        auto* target = static_cast<uint8_t*>(desc.lpSurface);
        for (int64_t row = 0; row < h; ++row) {
            std::memcpy(target + row * desc.lPitch, source + row * pictureWidth, static_cast<size_t>(w));
        }
    }
    surface->Unlock(nullptr);
    return 1;
}
