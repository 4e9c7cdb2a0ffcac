#include "engine/gfx/bitmap_image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The source rectangle of a load: a cell of the image's size on a sheet with one-pixel lines
// (mode 0), or a pixel position. False when it does not lie wholly inside the bitmap.
bool SourceRect(const BitmapImage& image, const BitmapFile& bitmap, int32_t column, int32_t row, int32_t mode,
                int32_t bytesPerPixel, int64_t& left, int64_t& top) {
    if (mode == 0) {
        left = int64_t{column} * (image.width + 1) + 1;
        top = int64_t{row} * (image.height + 1) + 1;
    } else {
        left = column;
        top = row;
    }
    const int64_t bitmapWidth = bitmap.infoHeader.biWidth;
    const int64_t rowBytes = bitmapWidth * bytesPerPixel;
    if (rowBytes <= 0) {
        return false;
    }
    const int64_t bitmapHeight = static_cast<int64_t>(bitmap.pixels.size()) / rowBytes;
    return left >= 0 && top >= 0 && left + image.width <= bitmapWidth && top + image.height <= bitmapHeight;
}

int32_t LoadRows(BitmapImage* image, const BitmapFile* bitmap, int32_t column, int32_t row, int32_t mode,
                 int32_t bytesPerPixel) {
    if (!image || image->pixels.empty() || !bitmap || !bitmap->hasPixels()) {
        return 0;
    }
    int64_t left = 0, top = 0;
    if (!SourceRect(*image, *bitmap, column, row, mode, bytesPerPixel, left, top)) {
        return 0;
    }
    const size_t rowBytes = static_cast<size_t>(image->width) * static_cast<size_t>(bytesPerPixel);
    if (rowBytes * static_cast<size_t>(image->height) > image->pixels.size()) {
        return 0;
    }
    const size_t stride = static_cast<size_t>(bitmap->infoHeader.biWidth) * static_cast<size_t>(bytesPerPixel);
    for (int32_t r = 0; r < image->height; ++r) {
        const size_t from = static_cast<size_t>(top + r) * stride +
                            static_cast<size_t>(left) * static_cast<size_t>(bytesPerPixel);
        std::memcpy(image->pixels.data() + static_cast<size_t>(r) * rowBytes, bitmap->pixels.data() + from, rowBytes);
    }
    image->attributes |= IMAGE_LOADED;
    return 1;
}

// The record's depth is `bits` and its buffer holds all of its rows.
bool HoldsItsPixels(const BitmapImage& image, int32_t bits) {
    return image.bitsPerPixel == bits && image.width >= 0 && image.height >= 0 &&
           int64_t{image.width} * image.height * (bits / 8) <= static_cast<int64_t>(image.pixels.size());
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

// A refused create leaves the record as it was, so a picture it held still draws and can still
// be destroyed.
int32_t BitmapImageCreate(BitmapImage* image, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t bitsPerPixel) {
    if (!image || width < 0 || height < 0) {
        return 0;
    }
    const int64_t bytes = int64_t{width} * height * (bitsPerPixel / 8);
    if (bytes <= 0 || bytes > INT32_MAX) {
        return 0;
    }
    std::vector<uint8_t> pixels;
    try {
        pixels.assign(static_cast<size_t>(bytes), 0);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    image->pixels = std::move(pixels);
    image->state = 1;
    image->attributes = 0;
    image->width = width;
    image->height = height;
    image->bitsPerPixel = bitsPerPixel;
    image->x = x;
    image->y = y;
    image->byteCount = static_cast<int32_t>(bytes);
    return 1;
}

int32_t BitmapImageDestroy(BitmapImage* image) {
    if (!image || image->pixels.empty()) {
        return 0;
    }
    *image = BitmapImage{};
    return 1;
}

int32_t BitmapImageLoad(BitmapImage* image, const BitmapFile* bitmap, int32_t column, int32_t row, int32_t mode) {
    return LoadRows(image, bitmap, column, row, mode, 1);
}

int32_t BitmapImageLoad16(BitmapImage* image, const BitmapFile* bitmap, int32_t column, int32_t row, int32_t mode) {
    return LoadRows(image, bitmap, column, row, mode, 2);
}

int32_t BitmapImageDraw(const BitmapImage* image, uint8_t* memory, int32_t pitch, int32_t transparent) {
    if (!image || !(image->attributes & IMAGE_LOADED) || !memory || !HoldsItsPixels(*image, 8)) {
        return 0;
    }
    const uint8_t* source = image->pixels.data();
    uint8_t* dest = memory + static_cast<ptrdiff_t>(image->y) * pitch + image->x;
    const size_t width = static_cast<size_t>(image->width);
    for (int32_t row = 0; row < image->height; ++row) {
        if (!transparent) {
            std::memcpy(dest, source, width);
        } else {
            for (size_t x = 0; x < width; ++x) {
                if (source[x] != 0) dest[x] = source[x];
            }
        }
        source += width;
        dest += pitch;
    }
    return 1;
}

int32_t BitmapImageDraw16(const BitmapImage* image, uint8_t* memory, int32_t pitch, int32_t transparent) {
    if (!image || !(image->attributes & IMAGE_LOADED) || !memory || !HoldsItsPixels(*image, 16)) {
        return 0;
    }
    const ptrdiff_t wordPitch = pitch / 2;
    const auto* source = image->pixels.data();
    uint8_t* dest = memory + 2 * (static_cast<ptrdiff_t>(image->y) * wordPitch + image->x);
    const size_t rowBytes = static_cast<size_t>(image->width) * 2;
    for (int32_t row = 0; row < image->height; ++row) {
        if (!transparent) {
            std::memcpy(dest, source, rowBytes);
        } else {
            for (size_t x = 0; x < rowBytes; x += 2) {
                if (source[x] != 0 || source[x + 1] != 0) {
                    dest[x] = source[x];
                    dest[x + 1] = source[x + 1];
                }
            }
        }
        source += rowBytes;
        dest += wordPitch * 2;
    }
    return 1;
}

int32_t BitmapImageCopy(BitmapImage* destination, int32_t destX, int32_t destY, const BitmapImage* source,
                        int32_t sourceX, int32_t sourceY, int32_t width, int32_t height) {
    if (!destination || !source) {
        return 0;
    }
    // Both images are counted in the source's bytes per pixel. Rectangles that leave either
    // image, or bytes that would leave its buffer, are refused rather than copied.
    const int32_t b = source->bitsPerPixel / 8;
    auto fits = [b](const BitmapImage& image, int64_t x, int64_t y, int64_t w, int64_t h) {
        return x >= 0 && y >= 0 && w >= 0 && h >= 0 && x + w <= image.width && y + h <= image.height &&
               (h == 0 ||
                b * (x + w + (y + h - 1) * int64_t{image.width}) <= static_cast<int64_t>(image.pixels.size()));
    };
    if (b <= 0 || !fits(*destination, destX, destY, width, height) || !fits(*source, sourceX, sourceY, width, height)) {
        return 0;
    }
    for (int32_t r = 0; r < height; ++r) {
        std::memmove(destination->pixels.data() + b * (destX + (destY + r) * destination->width),
                     source->pixels.data() + b * (sourceX + (sourceY + r) * source->width),
                     static_cast<size_t>(width) * static_cast<size_t>(b));
    }
    return 1;
}

int32_t BitmapImageScroll(BitmapImage* image, int32_t dx, int32_t dy) {
    if (!image || (dx == 0 && dy == 0)) {
        return 0;
    }
    if (dx == 0 || image->width <= 0) {
        return 1;
    }
    dx %= image->width;  // keeps the sign of dx
    if (dx == 0) {
        return 1;
    }
    const int32_t shift = dx > 0 ? dx : -dx;
    BitmapImage edge;
    if (!BitmapImageCreate(&edge, 0, 0, shift, image->height, image->bitsPerPixel)) {
        return 0;
    }
    const int32_t b = image->bitsPerPixel / 8;
    const size_t keep = static_cast<size_t>(image->width - shift) * static_cast<size_t>(b);
    if (dx > 0) {
        BitmapImageCopy(&edge, 0, 0, image, image->width - shift, 0, shift, image->height);
        for (int32_t r = 0; r < image->height; ++r) {
            uint8_t* row = image->pixels.data() + static_cast<size_t>(r) * static_cast<size_t>(image->width * b);
            std::memmove(row + shift * b, row, keep);
        }
        BitmapImageCopy(image, 0, 0, &edge, 0, 0, shift, image->height);
    } else {
        BitmapImageCopy(&edge, 0, 0, image, 0, 0, shift, image->height);
        for (int32_t r = 0; r < image->height; ++r) {
            uint8_t* row = image->pixels.data() + static_cast<size_t>(r) * static_cast<size_t>(image->width * b);
            std::memmove(row, row + shift * b, keep);
        }
        BitmapImageCopy(image, image->width - shift, 0, &edge, 0, 0, shift, image->height);
    }
    BitmapImageDestroy(&edge);
    return 1;
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
