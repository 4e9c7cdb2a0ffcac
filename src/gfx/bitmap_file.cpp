#include "gfx/bitmap_file.h"

#include "gfx/display.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr uint32_t kInfoHeaderMin = 40;
constexpr uint32_t kInfoHeaderMax = 124;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitfields = 3;
constexpr uint64_t kMaxFileBytes = uint64_t{1} << 30;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// The whole file, or nothing when it cannot be opened or is implausibly large.
bool ReadWholeFile(const char* fileName, std::vector<uint8_t>& bytes) {
    std::unique_ptr<FILE, FileCloser> file(fileName ? std::fopen(fileName, "rb") : nullptr);
    if (!file) {
        return false;
    }
    bytes.clear();
    uint8_t chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
        if (bytes.size() + got > kMaxFileBytes) {
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return true;
}

// Where the pixel rows are, and how they lie in the file.
struct PixelLayout {
    size_t offset = 0;     // first stored row
    size_t storedRow = 0;  // bytes per stored row, padding included
    size_t outputRow = 0;  // bytes per row as read (before any 24-bit conversion)
    int32_t width = 0;
    int32_t height = 0;  // rows, always positive
    bool topDown = false;
};

// Checks the info header and the file's size against each other; false for anything that
// does not describe an uncompressed 8, 16 or 24-bit picture held whole in the file. The rows
// start where the file's offset says when they fit there past the colour table; otherwise where
// the usual layout puts them (`usualStart`: right after a full colour table), or else right after
// the table the file states (`tableEnd`).
bool PlanPixels(const BitmapFileHeader& fileHeader, const BitmapInfoHeader& info, size_t usualStart, size_t tableEnd,
                size_t fileSize, PixelLayout& layout) {
    const bool bitfields16 = info.biBitCount == 16 && info.biCompression == kCompressionBitfields;
    if (info.biCompression != kCompressionNone && !bitfields16) {
        return false;
    }
    if (info.biWidth <= 0 || info.biWidth > BITMAP_MAX_SIDE || info.biHeight == 0 || info.biHeight < -BITMAP_MAX_SIDE ||
        info.biHeight > BITMAP_MAX_SIDE) {
        return false;
    }
    layout.width = info.biWidth;
    layout.height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    layout.topDown = info.biHeight < 0;
    const size_t bytesPerPixel = info.biBitCount / 8u;
    layout.outputRow = static_cast<size_t>(layout.width) * bytesPerPixel;
    layout.storedRow = (layout.outputRow + 3) & ~size_t{3};
    const size_t needed = layout.storedRow * static_cast<size_t>(layout.height);
    auto fits = [&](size_t offset) { return offset <= fileSize && needed <= fileSize - offset; };
    for (size_t offset : {size_t{fileHeader.bfOffBits}, usualStart, tableEnd}) {
        if (offset >= tableEnd && fits(offset)) {
            layout.offset = offset;
            return true;
        }
    }
    return false;
}

// Copies the stored rows into `out`, top row first, without padding.
void CopyRows(const uint8_t* stored, const PixelLayout& layout, uint8_t* out) {
    for (int32_t row = 0; row < layout.height; ++row) {
        const int32_t from = layout.topDown ? row : layout.height - 1 - row;
        std::memcpy(out + static_cast<size_t>(row) * layout.outputRow,
                    stored + static_cast<size_t>(from) * layout.storedRow, layout.outputRow);
    }
}

void Convert24To16(const std::vector<uint8_t>& rgb, std::vector<uint8_t>& words) {
    const bool layout555 = Display.pixelFormat == 15;
    const size_t count = rgb.size() / 3;
    for (size_t k = 0; k < count; ++k) {
        const uint32_t blue = rgb[3 * k], green = rgb[3 * k + 1], red = rgb[3 * k + 2];
        const uint32_t word = layout555 ? (blue >> 3) + ((green >> 3) << 5) + ((red >> 3) << 10)
                                        : (blue >> 3) + ((green >> 2) << 5) + ((red >> 3) << 11);
        words[2 * k] = static_cast<uint8_t>(word);
        words[2 * k + 1] = static_cast<uint8_t>(word >> 8);
    }
}

}  // namespace

int32_t BitmapFileLoad(BitmapFile* bitmap, const char* fileName) {
    std::vector<uint8_t> file;
    if (!bitmap || !ReadWholeFile(fileName, file)) {
        return 0;
    }
    if (file.size() < sizeof(BitmapFileHeader)) {
        return 0;
    }
    std::memcpy(&bitmap->fileHeader, file.data(), sizeof(BitmapFileHeader));
    if (bitmap->fileHeader.bfType != kBitmapMagic ||
        file.size() < sizeof(BitmapFileHeader) + sizeof(BitmapInfoHeader)) {
        return 0;
    }
    BitmapInfoHeader info;
    std::memcpy(&info, file.data() + sizeof(BitmapFileHeader), sizeof(info));
    bitmap->infoHeader = info;
    if (info.biBitCount != 8 && info.biBitCount != 16 && info.biBitCount != 24) {
        return 0;
    }
    if (info.biSize < kInfoHeaderMin || info.biSize > kInfoHeaderMax) {
        return 0;
    }
    // The colour table follows the info header: biClrUsed entries, or all 256 when that is 0.
    const size_t headersEnd = sizeof(BitmapFileHeader) + info.biSize;
    size_t tableEntries = 0;
    if (info.biBitCount == 8) {
        tableEntries = info.biClrUsed == 0 ? 256 : info.biClrUsed;
        if (tableEntries > 256) {
            return 0;
        }
    }
    const size_t tableEnd = headersEnd + 4 * tableEntries;
    const size_t usualStart = headersEnd + (info.biBitCount == 8 ? 4 * 256 : 0);
    PixelLayout layout;
    if (tableEnd > file.size() || !PlanPixels(bitmap->fileHeader, info, usualStart, tableEnd, file.size(), layout)) {
        return 0;
    }
    // A full table lies before the rows whenever there is room for one: all 256 entries are
    // taken then, whatever count of colours in use the header states.
    if (info.biBitCount == 8 && layout.offset >= headersEnd + 4 * 256) {
        tableEntries = 256;
    }
    std::vector<uint8_t> pixels;
    try {
        std::vector<uint8_t> rows(layout.outputRow * static_cast<size_t>(layout.height));
        CopyRows(file.data() + layout.offset, layout, rows.data());
        if (info.biBitCount == 24) {
            pixels.resize(rows.size() / 3 * 2);
            Convert24To16(rows, pixels);
        } else {
            pixels = std::move(rows);
        }
    } catch (const std::bad_alloc&) {
        bitmap->pixels.clear();
        bitmap->pixels.shrink_to_fit();
        return 0;
    }
    if (info.biBitCount == 8) {
        const uint8_t* table = file.data() + headersEnd;
        for (size_t i = 0; i < 256; ++i) {
            PALETTEENTRY& entry = bitmap->paletteEntries[i];
            if (i < tableEntries) {
                entry = PALETTEENTRY{table[4 * i + 2], table[4 * i + 1], table[4 * i], PC_NOCOLLAPSE};
            } else {
                entry = PALETTEENTRY{0, 0, 0, PC_NOCOLLAPSE};
            }
        }
    }
    // The record describes the rows as they now are: top row first, no padding.
    bitmap->infoHeader.biHeight = layout.height;
    if (info.biBitCount == 24) {
        bitmap->infoHeader.biBitCount = 16;
    }
    bitmap->infoHeader.biSizeImage = static_cast<uint32_t>(pixels.size());
    bitmap->pixels = std::move(pixels);
    return 1;
}

int32_t BitmapFileUnload(BitmapFile* bitmap) {
    if (bitmap) {
        bitmap->pixels.clear();
        bitmap->pixels.shrink_to_fit();
    }
    return 1;
}

int32_t BitmapFlipRows(uint8_t* buffer, int32_t bytesPerRow, int32_t rowCount) {
    if (!buffer || bytesPerRow <= 0 || rowCount <= 0) {
        return 1;
    }
    const size_t row = static_cast<size_t>(bytesPerRow);
    std::vector<uint8_t> copy;
    try {
        copy.assign(buffer, buffer + row * static_cast<size_t>(rowCount));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    for (int32_t i = 0; i < rowCount; ++i) {
        std::memcpy(buffer + static_cast<size_t>(rowCount - 1 - i) * row, copy.data() + static_cast<size_t>(i) * row,
                    row);
    }
    return 1;
}
